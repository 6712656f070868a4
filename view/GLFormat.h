#pragma once

// Makes every GL surface a double-buffered compatibility-profile context with a depth
// buffer, so immediate-mode drawing and display lists work. Call before QApplication exists.
void UseCompatibilityGLFormat();
