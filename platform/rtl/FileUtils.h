#pragma once
// File names and the file system. Paths are Windows paths ("C:\\dir\\a.txt")
// because the program runs inside Wine; the name routines are pure text,
// the others go through the Win32 file API.
#include "platform/rtl/String.h"
#include <cstdint>

// The Win32 headers define DeleteFile as a macro that forbids the bare
// name; include this header after <windows.h> to use ours.
#ifdef DeleteFile
#undef DeleteFile
#endif

constexpr char16_t PathDelim = u'\\';
constexpr char16_t DriveDelim = u':';

// Name parts, split at the last '\', '/' or ':'.
String ExtractFilePath(StringView fileName);  // "C:\\dir\\" (delimiter kept)
String ExtractFileDir(StringView fileName);   // "C:\\dir"
String ExtractFileName(StringView fileName);  // "a.txt"
String ExtractFileExt(StringView fileName);   // ".txt", "" without a dot
String ExtractFileDrive(StringView fileName); // "C:"
String ChangeFileExt(StringView fileName, StringView extension);
String IncludeTrailingPathDelimiter(StringView path);
String ExcludeTrailingPathDelimiter(StringView path);
inline String IncludeTrailingBackslash(StringView path) { return IncludeTrailingPathDelimiter(path); }
inline String ExcludeTrailingBackslash(StringView path) { return ExcludeTrailingPathDelimiter(path); }

// Full path of a relative name, against the current folder.
String ExpandFileName(StringView fileName);
bool FileExists(StringView fileName);
bool DirectoryExists(StringView directory);
bool DeleteFile(StringView fileName);
bool RenameFile(StringView oldName, StringView newName);
bool CreateDir(StringView directory);
bool RemoveDir(StringView directory);
// Creates every missing folder of the path; raises EInOutError on an empty
// path, returns false when a folder cannot be created.
bool ForceDirectories(StringView directory);
String GetCurrentDir();
bool SetCurrentDir(StringView directory);
// The system temporary folder, with a trailing delimiter.
String GetTempFolder();
// Size in bytes, -1 when the file does not exist.
int64_t FileSizeOf(StringView fileName);

// Command line: ParamStr(0) is the full path of the executable.
int ParamCount();
String ParamStr(int index);
