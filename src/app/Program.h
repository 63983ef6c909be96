#pragma once
// The program's objects and windows: the data module first, then the main window, the
// floating window, the settings dialog and the about box, whose creation loads the stored
// state. They are destroyed in the reverse order.
void CreateProgramObjects();
void DestroyProgramObjects();
