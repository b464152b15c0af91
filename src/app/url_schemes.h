#pragma once
// The program's own URL schemes: the page's (installed layout) and the stored images'. They
// must be registered before the QApplication exists, by the program and by every test or
// benchmark that starts the program in-process.

void registerProgramSchemes();
