// A small shared object that the optional-library tests load by file name.
extern "C" int platformTestAnswer() {
    return 42;
}
