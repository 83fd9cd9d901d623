#pragma once

// Companion windows (welcome, help, key pictures, about, the results viewer and the question
// whether to end the match) stop both players' gravity while they are open and keep the main
// window and the assistant disabled, since nothing is modal.

// A companion window was shown: suspends gravity unless the pause is on, then disables the main
// window and the assistant.
void CompanionShown();

// The first half of CompanionShown, for a window that does something in between (the question
// whether to end the match sounds before the windows are disabled).
void CompanionSuspendsGravity();

// A companion window was closed: gives gravity back unless the pause is on, then enables the main
// window and the assistant.
void CompanionClosed();

// Enables or disables the main window and the assistant together (either may not exist yet).
// Enabling gives the keyboard back to the main window.
void SetMainAndAssistantEnabled(bool enabled);
