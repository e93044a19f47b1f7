# Turns a binary file into a C++ source that registers it as a named
# program resource: cmake -DINPUT=... -DNAME=... -DOUTPUT=... -P this.
file(READ ${INPUT} bytes HEX)
string(REGEX REPLACE "(..)" "0x\\1," bytes "${bytes}")
file(WRITE ${OUTPUT}
"#include \"runtime/resources.h\"\n"
"namespace {\n"
"const unsigned char data[] = {${bytes}};\n"
"const rt::ResourceRegistration registration{\"${NAME}\", data, sizeof data};\n"
"}\n")
