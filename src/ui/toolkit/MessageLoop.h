#pragma once
// The program's one message loop is Qt's event loop on the user-interface thread: posted
// messages, timers, store notifications and input all arrive there. These calls let long
// operations keep the screen alive and drop input that came in while they ran.

// Handles every event already waiting (paint, posted messages, timers, input) and returns at
// once; never blocks.
void PumpPendingMessages();

// Discard every waiting key event (press and release) or mouse event (press, release, move,
// double click, wheel), handling the other waiting events as PumpPendingMessages does.
void FlushKeyboardInput();
void FlushMouseInput();

// Runs the program's message loop until PostQuitMessage ends it; returns the code given there. A
// failure raised in a loop call of the platform ends the loop and is raised from here.
int RunMessageLoop();

// Ends the message loop with `exitCode` once the current message has been handled. Outside
// RunMessageLoop (tests driving windows themselves) it does nothing.
void PostQuitMessage(int exitCode);
