// fontconfig 2.14 loses a few small blocks while it parses its configuration files, once per
// process; LeakSanitizer would otherwise fail every test that looks up the math font.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
