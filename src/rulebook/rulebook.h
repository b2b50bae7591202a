// The launcher's own rules for the installer pair, wide text in: each
// answer is described where it is defined (rulebook.cpp). Exported as
// themselves for the tests, and to the installer through its plug-in calls
// (plugin.cpp).
#pragma once

#include <windows.h>

#define RULE extern "C" __declspec(dllexport) int WINAPI

RULE KoraTextExact(const wchar_t *text);
RULE KoraFolderFault(const wchar_t *dir);
RULE KoraSameName(const wchar_t *a, const wchar_t *b);
RULE KoraUninstallLog(const wchar_t *command, wchar_t *log, int capacity);
RULE KoraGivenFolder(const wchar_t *cut, const wchar_t *dir);
RULE KoraOwnFolder(const wchar_t *dir);
RULE KoraNameState(const wchar_t *dir, const wchar_t *name);
RULE KoraRemoveName(const wchar_t *dir, const wchar_t *name);
RULE KoraRemoveLogged(const wchar_t *dir, const wchar_t *log, const wchar_t *spare, wchar_t *left,
                      int capacity);
