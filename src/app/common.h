#pragma once
// Task procedures shared by the windows.

// Writes the task file at quit; tells the user when it could not be written.
void SaveAll();
