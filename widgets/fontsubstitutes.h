#pragma once

// The layout names the classic Windows UI face "MS Sans Serif". Where it is
// missing, Qt is told to use a face that covers Cyrillic and, at 11 px, keeps
// the 13 px text height and the caption widths the layout was drawn for.
void installFontSubstitutes();
