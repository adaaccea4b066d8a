#pragma once
// File names made from instrument or user text, and the removal of folders inside the
// program's data location.
#include <QString>

namespace mt52 {

// The name with every character that a file name cannot hold safely replaced by "_": "*",
// the path separators "/" and "\", ":", "?", the double quote, "<", ">", "|" and control
// characters; the names "." and ".." become "_" and "__". A name made safe can never leave
// the folder it is put in. Writers and readers of a file use the same function.
QString SafeFileName(const QString& name);

// The folder below which DeleteFolderTree may delete: State().DataRoot, or State().StartDir
// when DataRoot is empty.
QString DataLocation();

// Deletes the folder at the path with everything in it. Nothing is deleted when the path is
// empty, is not an existing folder, or does not lie inside DataLocation() (the location
// itself is refused too). Read-only files are not forced: they stay, with the folders that
// hold them. Failures on the way are ignored and leave what could not be deleted; it never
// raises an error. True when the folder is gone afterwards.
bool DeleteFolderTree(const QString& path);

}  // namespace mt52
