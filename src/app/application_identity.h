#pragma once
// The program's name and version as the application object carries them.

// Sets the application name and version. No display name is set: the window
// system would append it to every caption ("About — ..."), and the captions
// are to read exactly as the windows set them.
void setApplicationIdentity();
