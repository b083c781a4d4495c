#include "app/tinfo.h"

#include "common/gui/makerlabel.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace blachorys::gui {

QString TInfo::notesText() {
    return QStringLiteral(
        "1. Aby rozpocząć pracę, wybierz z menu pozycję BLACHORYS, a w niej rodzaj elementu, "
        "który chcesz rozwinąć.\n\n"
        "2. Separatorem dziesiętnym jest KROPKA: jeden i dwie dziesiąte wpisz jako 1.2. "
        "Przecinek (np. klawisz dziesiętny klawiatury numerycznej) pole zamienia na kropkę: "
        "1,2 wpisuje się jako 1.2\n\n"
        "3. Przy polach średnic program podaje krótko, którą średnicę (wewnętrzną, zewnętrzną "
        "czy średnią) należy wpisać w danym przypadku. Dokładniejszy opis znajdzie się w "
        "kolejnych wersjach programu.\n\n"
        "4. Aby kolumny zapisanego pliku TXT były wyrównane, wybierz w edytorze czcionkę o "
        "stałej szerokości znaków (np. FIXED).\n\n"
        "5. Po obliczeniu zaznacz na arkuszu blachy punkty z tabeli WYNIKI zgodnie ze schematem "
        "wyników (przycisk \"Schemat wyników\") albo wydrukuj szablon DXF w skali 1:1 i połóż "
        "go na arkuszu rysunkiem NA ZEWNĄTRZ. Przy wycinaniu w gotowej rurze owiń szablon "
        "wokół rury w ten sam sposób.\n\n"
        "6. Uwagi o programie prześlij na adres e-mail podany poniżej. Program jest darmowy.");
}

TInfo::TInfo(Prompts& prompts, bool showOnReturn, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(QStringLiteral("Informacje ogólne"));
    resize(705, 580);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("InfoMemo"));
    memo->setReadOnly(true);
    memo->setPlainText(notesText());
    memo->setBackgroundRole(QPalette::Window);
    memo->viewport()->setBackgroundRole(QPalette::Window);
    memo->viewport()->setCursor(Qt::WhatsThisCursor);
    QFont memoFont;
    memoFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    memoFont.setPixelSize(13);
    memoFont.setBold(true);
    memo->setFont(memoFont);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* program = new QLabel(
        QStringLiteral("Blachorys - rozwinięcia blach i rur, wersja 1,2 - autor: zespół Blachorys"),
        panel);
    auto* email = new MakerLabel(MakerLabel::Target::Email, prompts, panel);
    email->setObjectName(QStringLiteral("LabelEmail"));
    auto* web = new MakerLabel(MakerLabel::Target::WebPage, prompts, panel);
    web->setObjectName(QStringLiteral("LabelWeb"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(program);
    auto* labels = new QHBoxLayout;
    labels->addWidget(email);
    labels->addStretch(1);
    labels->addWidget(web);
    panelLayout->addLayout(labels);
    auto* onReturn =
        new QCheckBox(QStringLiteral("Pokazuj przy każdym powrocie do programu"), panel);
    onReturn->setObjectName(QStringLiteral("PokazujPrzyPowrocie"));
    onReturn->setChecked(showOnReturn);
    connect(onReturn, &QCheckBox::toggled, this, &TInfo::showOnReturnChanged);
    panelLayout->addWidget(onReturn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo, 1);
    layout->addWidget(panel);
}

} // namespace blachorys::gui
