#pragma once

// Windows beside the assistant (welcome, help, key pictures, about, the results viewer, the
// question whether to end the match …) rest the rest of the program while they are open, since
// nothing is modal: they disable the main window and the assistant, and some stop both players'
// gravity. The balloon base (BalloonForm.h) calls these in its fixed order.

// Suspends both players' gravity, unless the pause already holds it. Tells whether it suspended,
// so that the window gives back exactly what it took.
bool CompanionSuspendsGravity();

// Gives back a suspension that CompanionSuspendsGravity made.
void CompanionResumesGravity();

// Enables or disables the main window and the assistant together (either may not exist yet).
// Enabling gives the keyboard back to the main window.
void SetMainAndAssistantEnabled(bool enabled);

// Enables or disables the assistant alone (it may not exist yet).
void SetAssistantEnabled(bool enabled);
