# Writes OUTPUT, a C++ source defining lumenpoll::kLogoJpeg with the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}"
"#include <cstddef>\n\nnamespace lumenpoll {\n\nextern const unsigned char kLogoJpeg[] = {\n  ${bytes}\n};\nextern const std::size_t kLogoJpegSize = sizeof(kLogoJpeg);\n\n}  // namespace lumenpoll\n")
