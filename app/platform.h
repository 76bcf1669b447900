#pragma once
// Process preparation that precedes the application object: the OLE pair (real only on Windows)
// and the floating-point environment (all exceptions masked, round to nearest).

void OleInitialize();
void OleUninitialize();

// Loads the x87 control word 0x133F and masks every SSE exception with round to nearest.
void SetFloatingPointControl();

// Adds the HTML engine's memory-saving switches to QTWEBENGINE_CHROMIUM_FLAGS.
void SetHtmlEngineMemorySwitches();

// Draws the HTML view in software unless QT_QUICK_BACKEND names another way ("rhi": the graphics
// interface, OpenGL on Linux).
void UseSoftwareHtmlView();

// Lets the HTML engine expose its pages to assistive technology on Linux (screen readers read
// their text, headings, tables and links), which it does only when QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY
// is set as it starts. A value the user set is kept, except that "0" (or an empty value) switches
// it off, as one would expect of that name. The engine does the work only while a screen reader
// or other assistive technology is running.
void EnableHtmlEngineAccessibility();

// Module initialisation of the program: OLE, then the floating-point control word, then the
// settings the HTML view needs before the application object exists.
void PrepareProcess();
