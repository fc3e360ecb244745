# cmake -DINPUT=<file> -DOUTPUT=<file.inc> -P EmbedText.cmake
#   Writes the input file's text as one C++ raw string literal, for tests that
#   read a source file (such as the resource header) without a path to it.
file(READ "${INPUT}" text)
file(WRITE "${OUTPUT}" "R\"embedded_text(${text})embedded_text\"\n")
