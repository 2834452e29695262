#pragma once
// Whether a skin's text is a style sheet Qt can take: comments and strings closed, every
// rule a selector and a block of "name: value" declarations, braces and parentheses in
// pairs. Qt itself only logs a warning for a sheet it cannot parse and drops it; checking
// first lets start-up report a broken skin and keep the plain look, with nothing applied.

#include <QString>
#include <QStringView>

namespace StyleSheetCheck {

// Empty when the sheet can be applied; otherwise what is wrong and on which line.
QString problem(QStringView sheet);

} // namespace StyleSheetCheck
