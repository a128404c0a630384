// The sample host's scripted user, for demonstrations without a person at
// the screen: with VTKHOST_SCRIPT=1 a thread timer presses OK (or Start) on
// every dialog and message box that the library shows on this thread. With
// VTKHOST_SHOTS set to a folder it first asks for a picture of each one: it
// writes NN.req holding the window's rectangle on the screen ("x y w h") and
// waits until whoever takes the picture removes the file (10 s at most).
#pragma once

namespace host {
// Starts the timer when VTKHOST_SCRIPT=1; safe to call more than once.
void StartScriptedUserIfAsked();
}  // namespace host
