#pragma once
// How this system names a shared library that the program loads by path.
#include <QString>

// "veride" gives "libveride.so" on Linux and "veride.dll" on Windows.
QString library_file_name(const QString& base_name);
