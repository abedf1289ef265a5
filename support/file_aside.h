// Getting a file that is in use out of the way.
#pragma once

namespace vireo {

// Deletes |file|; when that is refused with ERROR_ACCESS_DENIED even after clearing its
// attributes (a running executable), moves it to the root of its volume as
// "<root><file name>.dNN" (NN the first free number from 00, a stale one deleted and reused,
// 99 when all are taken) and asks for that file's deletion at the next restart (which
// usually needs rights the installer lacks; the request's failure is ignored). Any other
// failure (missing file, bad path) ends the attempt quietly. Reports nothing.
void DeleteFileOrRenameAside(const wchar_t* file);

}  // namespace vireo
