#pragma once

#include <QString>

namespace ventaro {

// What a path names, told by the file's content (the desktop's content-type
// database, which knows ELF programs, scripts, sounds and pictures), never
// by its name or its mode bits alone.
enum class FileKind {
    Missing,    // nothing there
    NoAccess,   // a folder on the way cannot be entered: blockedFolder says which
    Folder,
    Program,    // an ELF program, a script with a #! line, or an unknown binary with an x bit
    Script,     // text with an x bit but no #! line: no system can run it
    Document,   // anything else: opened in the desktop's default application
};

struct FileFacts
{
    FileKind kind = FileKind::Missing;
    bool mayExecute = false; // this process may execute it (x bit, owner, mount)
    QString blockedFolder;
};

FileFacts examineFile(const QString &path);

// Why an existing program failed to start with "no such file": the
// interpreter its #! line names, a #! line ending in a carriage return, or
// the loader an ELF program names. Empty when none of these is the cause.
QString missingPartOf(const QString &path);

} // namespace ventaro
