#pragma once
class TMEGutter;

// A narrow blank band after the last line-number band keeps the numbers off the text; none is
// added when a custom band already stands there.
void AddLineNumberSpacer(TMEGutter &gutter);
