// Linked into the Windows build of tavrix-audit only: standard output in binary mode before
// main runs, so the report is the same bytes as elsewhere, with no carriage return added before
// each line feed.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

const int kBinaryStandardOutput = _setmode(_fileno(stdout), _O_BINARY);

}  // namespace
