#pragma once

class QWidget;

// Screen readers and other assistive tools see the custom controls as what they are: the office
// button as a button, the office label as a link, the gradient text as static text, each named by
// its caption and described by its hint, and the buttons and links can be pressed through them.

// Installs the interfaces once per program; every custom control calls it when it is made.
void InstallWidgetAccessibility();

// Keeps a widget's accessible description equal to its hint (tool tip).
void SyncAccessibleHint(QWidget *widget);
