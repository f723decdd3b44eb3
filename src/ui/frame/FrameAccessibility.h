#pragma once

// Lets assistive technology see the skinned frames and the lists: a framed window is a named
// window whose children include the buttons its frame paints, and a list is read as its label
// says (AccessibleComboBox.h). Installing it again changes nothing.
void InstallFrameAccessibility();
