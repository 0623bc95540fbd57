# Run at every build by corvix_build_date(): writes today's date, in the compiler's form
# ("Dec  2 2023", a day below 10 padded with a blank), as the definition of buildDate() into
# OUTPUT, and leaves the file untouched (so nothing is compiled again) while the day is the same.
# cmake -DOUTPUT=<file.cpp> -P WriteBuildDate.cmake
cmake_minimum_required(VERSION 3.22)
string(TIMESTAMP today "%b %d %Y")
string(REGEX REPLACE " 0([1-9]) " "  \\1 " today "${today}")
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT [[
// Written by cmake/WriteBuildDate.cmake at each build.
#include "editor/AboutBox.h"

const char* NsOrvelA::aboutBox::buildDate() { return "@today@"; }
]] @ONLY)
