// A read-only, multi-line text box that stays fast however long its text grows: the control of
// edit boxes that a program only writes to, such as a scan's log.
//
// The platform's edit control lays out every line as it takes it and walks its whole text for
// many of its messages, so a log of tens of thousands of lines costs more with every append. This
// control keeps the text and its line starts, wraps only the lines it shows, and repaints at
// most every few dozen milliseconds while text keeps arriving. It answers the edit messages a
// program and a user rely on (text, selection, the replace that appends, line queries, limit,
// font, copying) the way the edit control does; positions are byte offsets of the GBK text, and
// a line, for the line messages, is a row as wrapped on screen.
#pragma once

namespace forms {

// The class name to create the control with; the class is registered on first use.
const char* LogViewClass();

}  // namespace forms
