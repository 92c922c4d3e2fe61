// SPDX-License-Identifier: MIT
#include "platform/qt/qt_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyle>

#include "platform/qt/qt_program_style.h"

namespace platform {

namespace {

// The kind of years shows on disabled option buttons; their text must stay legible.
const QColor kDisabledText(90, 90, 90);

// Where the described family is missing, its metric-compatible twins come first, then other
// serif faces with Cyrillic, and only then whatever serif face the system offers.
const QStringList kSerifFallbacks = {QStringLiteral("Liberation Serif"),
                                     QStringLiteral("Tinos"),
                                     QStringLiteral("DejaVu Serif"),
                                     QStringLiteral("FreeSerif"),
                                     QStringLiteral("Noto Serif")};

// The first of the families that the system has, or none. Only a family the system has is
// asked for: asking for a missing one makes the toolkit have fontconfig sort every font on the
// system for a stand-in.
QString FirstInstalled(const QStringList& families) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family)) return family;
    }
    return {};
}

// The design's font and the faces with exactly its metrics.
const QStringList kDesignMetrics = {
    QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")};

}  // namespace

QFont ToQFont(const Font& font) {
    QFont qfont(QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size())),
                font.point_size,
                font.bold ? QFont::Bold : QFont::Normal);
    // One family is named: for a list, the toolkit has fontconfig work out every font's
    // stand-ins as it loads it, before the first frame, not once a glyph is missing. With none
    // of these installed, the described name lets fontconfig choose the nearest face.
    const QString family = FirstInstalled(QStringList(qfont.family()) + kSerifFallbacks);
    if (!family.isEmpty()) qfont.setFamily(family);
    qfont.setStyleHint(QFont::Serif);
    // Cyrillic and Latin need no shaping, and the window's controls draw their captions
    // without kerning, as Windows does: text is laid out glyph by glyph, at a fraction of the
    // cost of shaping, on every caption and report the window paints.
    qfont.setStyleStrategy(QFont::PreferNoShaping);
    // Full hinting snaps each glyph to whole pixels, as Windows draws its controls' text; each
    // glyph is then rasterised once, not again for each fraction of a pixel it lands on.
    qfont.setHintingPreference(QFont::PreferFullHinting);
    return qfont;
}

bool HasDesignMetrics(const QFont& font) {
    // The first family named is the one drawn in, if the system has it.
    const QString first = font.families().value(0);
    return kDesignMetrics.contains(first) && !FirstInstalled({first}).isEmpty();
}

void UseProgramStyle() {
    auto* style = new QtProgramStyle;  // the application takes it
    QApplication::setStyle(style);
    QPalette palette = style->standardPalette();
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    QApplication::setPalette(palette);
}

}  // namespace platform
