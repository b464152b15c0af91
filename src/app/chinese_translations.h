#pragma once
// Qt's own texts (message-box buttons, text-box context menus, the page's context menu) in
// Simplified Chinese, like every other text of the program.

class QCoreApplication;

void installChineseTranslations(QCoreApplication& app);
