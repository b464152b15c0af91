#pragma once
// The three local tools of the Tools menu and the programs that stand in for them.

#include <QString>
#include <QStringList>

enum class LocalTool { Calculator, TextEditor, Terminal };

// The tool's name as the user knows it, for messages.
QString toolTitle(LocalTool tool);

// Bare program names, in order of preference. On Windows the system's own tool; elsewhere the
// desktop's usual programs for the same job.
QStringList toolCandidates(LocalTool tool);
