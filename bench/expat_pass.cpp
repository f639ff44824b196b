// The yardstick of bench/listxml_bench.sh: a bare expat pass over an XML file, with empty
// handlers that only count the start tags, fed as expat is usually fed (1 MiB reads).
//
//   expat_pass FILE
#include <expat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

void XMLCALL OnStart(void* user, const XML_Char*, const XML_Char**) {
  ++*static_cast<long*>(user);
}
void XMLCALL OnEnd(void*, const XML_Char*) {}
void XMLCALL OnText(void*, const XML_Char*, int) {}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: expat_pass FILE\n");
    return 2;
  }
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) {
    std::perror(argv[1]);
    return 1;
  }
  XML_Parser parser = XML_ParserCreate(nullptr);
  long starts = 0;
  XML_SetUserData(parser, &starts);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  constexpr int kChunk = 1 << 20;
  for (;;) {
    void* buffer = XML_GetBuffer(parser, kChunk);
    const ssize_t got = buffer ? read(fd, buffer, kChunk) : -1;
    if (got < 0) {
      std::perror("read");
      return 1;
    }
    if (XML_ParseBuffer(parser, static_cast<int>(got), got == 0) == XML_STATUS_ERROR) {
      std::fprintf(stderr, "line %lu: %s\n", XML_GetCurrentLineNumber(parser),
                   XML_ErrorString(XML_GetErrorCode(parser)));
      return 1;
    }
    if (got == 0) break;
  }
  XML_ParserFree(parser);
  close(fd);
  std::printf("%ld start tags\n", starts);
  return 0;
}
