// SPDX-License-Identifier: MIT
// The toolkit's floor for the start-up benchmark: an empty Qt window of the program's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(461, 345);
    window.show();
    return QApplication::exec();
}
