// Where saved files go, the one thing about them that differs per platform: the working folder on
// the desktop (file_output_posix.cpp, file_output_windows.cpp), the browser's downloads in a page
// (file_output_web.cpp).
#pragma once

#include <string>

// Writes a file that does not exist yet: 0 when written, EEXIST when a file of the name exists,
// otherwise the errno of the failure (and what was written of it is removed). `type` is the
// file's media type, which a browser's download takes.
int writeNewFile(const std::string& name, const std::string& bytes, const char* type);

// Removes a file that writeNewFile wrote.
void removeFile(const std::string& name);

// The full path of the folder where the files go (the working folder), and of the file of that
// name there, for the student to find them; in a page, whose files are downloads, "" and the name.
std::string folderOfFiles();
std::string pathInFolder(const std::string& name);

// Whether the folder is there.
bool folderExists(const std::string& folder);
