# Writes OUT, a C++ source holding the bytes of IN under the name SYMBOL.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" body "${body}")
file(WRITE ${OUT}
  "// Generated from ${IN}; do not edit.\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${body}0x00};\n"
  "extern const unsigned long ${SYMBOL}_size = ${size};\n")
