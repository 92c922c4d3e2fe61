// SPDX-License-Identifier: MIT
// The toolkit's floor for a window that shows text: the bare window with one label, which
// makes Qt load the font configuration and a font as any window with text must.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Животинските години на човека"));
    window.setFixedSize(461, 345);
    window.show();
    return QApplication::exec();
}
