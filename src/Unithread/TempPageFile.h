#pragma once
// The Temporary page file: where each download stores the page the readers then load.
#include <string>

#include "Unicommon/Download.h"
#include "Unicommon/StringList.h"

// True when a file (of any kind) exists at path.
bool FileExists(const std::string& path);
// Deletes the Temporary page file if it exists; a file that cannot be deleted stays.
void RemoveTempPageFile(const std::string& path);
// The lines of the page just downloaded into path. A page that could not be fetched,
// or a file that cannot be read, gives an empty page: never an earlier download's page.
TStringList LoadFetchedPage(const TDownloadOutcome& outcome, const std::string& path);
