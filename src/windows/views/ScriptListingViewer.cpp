#include "windows/views/ScriptListingViewer.h"

#include "windows/views/ScriptCodeEditor.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace gw {

namespace {

// W x parts / 1024, to the nearest pixel, halves to even.
int Scaled(int screenWidth, int parts) {
    return static_cast<int>(std::nearbyint(static_cast<double>(screenWidth) * parts / 1024.0));
}

} // namespace

ScriptListingViewer::ScriptListingViewer(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("ViewerBox"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    Caption = new QLabel(this);
    ViewerMemo = new QPlainTextEdit(this);
    ViewerMemo->setObjectName(QStringLiteral("ViewerMemo"));
    ViewerMemo->setReadOnly(true);
    ViewerMemo->setFont(ScriptCodeEditor::ScriptFont());
    ViewerMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ViewerMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ViewerMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    EnlargeButton = new QPushButton(QStringLiteral("Enlarge"), this);
    PrintButton = new QPushButton(QStringLiteral("Print"), this);
    connect(OKButton, &QPushButton::clicked, this, [this] {
        ViewerMemo->clear();
        hide();
    });
    connect(EnlargeButton, &QPushButton::clicked, this, &ScriptListingViewer::enlarge);
    connect(PrintButton, &QPushButton::clicked, this, &ScriptListingViewer::printRequested);
    hide();
}

void ScriptListingViewer::layOut(int w) {
    setGeometry(Scaled(w, 224), Scaled(w, 120), Scaled(w, 361), Scaled(w, 193));
    ViewerMemo->setGeometry(Scaled(w, 8), Scaled(w, 16), Scaled(w, 345), Scaled(w, 137));
    Caption->setGeometry(Scaled(w, 8), 0, Scaled(w, 345), Scaled(w, 16));
    int i = 0;
    for (QPushButton* button : {OKButton, EnlargeButton, PrintButton}) {
        button->setGeometry(Scaled(w, 96 * i + 8), Scaled(w, 160), Scaled(w, 75), Scaled(w, 25));
        ++i;
    }
}

void ScriptListingViewer::showListing(const QString& caption, const QString& listing,
                                      int screenWidth) {
    layOut(screenWidth);
    Caption->setText(caption);
    QString text = listing;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    ViewerMemo->setPlainText(text);
    show();
    raise();
    ViewerMemo->setFocus();
}

void ScriptListingViewer::enlarge() {
    int width = this->width() + this->width() / 4;
    int left = x();
    const int windowWidth = parentWidget() != nullptr ? parentWidget()->width() : width;
    if (left + width > windowWidth) {
        width = std::min(width, windowWidth);
        left = windowWidth - width;
    }
    setGeometry(left, y(), width, height());
    const int memoWidth = static_cast<int>(std::nearbyint(width * 345.0 / 361.0));
    ViewerMemo->resize(memoWidth, ViewerMemo->height());
    Caption->resize(memoWidth, Caption->height());
}

QString ScriptListingViewer::printText(const QString& scriptFileName) const {
    const QString blanks(5, QLatin1Char(' '));
    QStringList lines = {scriptFileName, QString(), caption(), QString()};
    lines += ViewerMemo->toPlainText().split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line.prepend(blanks);
    }
    return lines.join(QLatin1Char('\n'));
}

QString ScriptListingViewer::caption() const {
    return Caption->text();
}

} // namespace gw
