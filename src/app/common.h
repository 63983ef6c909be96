#pragma once
// The task procedures that the main window's commands, its clock and the settings share,
// and the program-wide flags that go with them.
#include <QString>
#include <cstdint>
#include <string>

class TStringGridCheck;
class TMyTask;

// True only while FillTaskGrid rebuilds the grid, so its ticks are not taken for the user's.
extern bool GridFilling;
// The tick counter at the last advance of the task times.
extern uint32_t LastTickCount;
// Set by the quit command only; from then on a close request ends the program.
extern bool QuitRequested;

inline const char* const kGlobalTask = "%Global%";

void FillTaskGrid(TStringGridCheck* grid);
void LoadTaskGrid(TStringGridCheck* grid);
void NewTask(const std::string& text);
QString FormatTaskTimeText(const TMyTask& task);
int FindTaskRow(TStringGridCheck* grid, int position);
bool IsValidCell(int column, int row);
void UpdateStatusCounts();

// The text a typed text becomes once stored: at most 255 characters (a longer one ends in
// "..."), in the code page of the task file.
std::string StoredTaskText(const std::string& text);

bool GlobalTimeIsZero();
int FindTaskId(const std::string& text);
void DeleteTask(const std::string& text);
void CompleteTask(const std::string& text);
void ReopenTask(const std::string& text);

// Writes the pulse files and the task file at quit. False when the task file could not be
// written (the user has been told); an error writing a file is raised.
bool SaveAll();
