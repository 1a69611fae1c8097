#include "designer/FormatSettingsDialog.h"

#include "capture_model/CNumberWords.h"
#include "platform_widgets/UserMessage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

FormatSettingsDialog::FormatSettingsDialog(const FormatSettings& settings, AmountWording wording,
                                           QWidget* parent)
    : QDialog(parent), m_settings(settings), m_wording(wording), m_decimals(new QLineEdit(this)),
      m_up(new QToolButton(this)), m_down(new QToolButton(this)), m_currency(new QLineEdit(this)),
      m_postfix(new QLineEdit(this)),
      m_currencySign(
          new QCheckBox(QStringLiteral("Mostrar signo de moneda en los valores monetarios"), this)),
      m_readOnly(new QCheckBox(QStringLiteral("Definir los campos calculados como de solo lectura"),
                               this)),
      m_author(new QLineEdit(this)), m_key(new QLineEdit(this)),
      m_traditional(new QRadioButton(QStringLiteral("&Tradicional"), this)),
      m_grammatical(new QRadioButton(QStringLiteral("&Gramatical"), this)),
      m_sample(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Configuración del formato"));
    setModal(true);

    m_decimals->setText(QString::number(settings.decimals));
    m_decimals->setMaximumWidth(fontMetrics().averageCharWidth() * 6);
    m_decimals->installEventFilter(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(16, 11);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { StepDecimals(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepDecimals(-1); });
    m_currency->setText(settings.currencyName);
    m_postfix->setText(settings.postfix);
    m_currencySign->setChecked(settings.currencySign);
    m_readOnly->setChecked(settings.calculatedReadOnly);
    m_author->setText(settings.author);
    if (!settings.key.isEmpty()) {
        // A locked format's author is shown, not edited: on the window's colour rather than the
        // white of a field that takes typing.
        m_author->setReadOnly(true);
        QPalette shown = m_author->palette();
        shown.setColor(QPalette::Base, shown.color(QPalette::Window));
        m_author->setPalette(shown);
    }
    m_key->setText(settings.key);
    m_key->setEchoMode(QLineEdit::Password);

    auto* words = new QGroupBox(QStringLiteral("Redacción del importe con letra"), this);
    auto* wordingGroup = new QButtonGroup(this);
    wordingGroup->addButton(m_traditional);
    wordingGroup->addButton(m_grammatical);
    (wording == AmountWording::Grammatical ? m_grammatical : m_traditional)->setChecked(true);
    m_traditional->setToolTip(QStringLiteral("Las palabras de siempre: cada formato existente "
                                             "se imprime igual que antes"));
    m_grammatical->setToolTip(
        QStringLiteral("Un solo espacio, «UN PESO» para uno y «MIL» en lugar de «UN MIL»"));
    // A sample wider than the dialog wraps rather than widening it.
    m_sample->setWordWrap(true);
    m_sample->setTextFormat(Qt::PlainText);
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_sample->setFrameShape(QFrame::StyledPanel);
    auto* choices = new QHBoxLayout;
    choices->addWidget(m_traditional);
    choices->addWidget(m_grammatical);
    choices->addStretch();
    auto* wordsLayout = new QVBoxLayout(words);
    wordsLayout->addLayout(choices);
    wordsLayout->addWidget(new QLabel(
        QStringLiteral("Así se escribe %1:").arg(QLocale().toString(kSampleAmount, 'f', 2)),
        words));
    wordsLayout->addWidget(m_sample);
    connect(wordingGroup, &QButtonGroup::buttonToggled, this, [this] { ShowSample(); });
    connect(m_currency, &QLineEdit::textChanged, this, [this] { ShowSample(); });
    connect(m_postfix, &QLineEdit::textChanged, this, [this] { ShowSample(); });
    ShowSample();

    auto* ok = new QPushButton(QStringLiteral("Aceptar"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    // Enter moves from field to field; only a button with the focus takes it.
    for (QPushButton* button : {ok, cancel})
        button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &FormatSettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    auto* decimals = new QHBoxLayout;
    decimals->setSpacing(0);
    decimals->addWidget(m_decimals);
    decimals->addLayout(arrows);
    decimals->addStretch();

    auto* grid = new QGridLayout;
    const auto label = [this](const char* text) {
        return new QLabel(QString::fromUtf8(text), this);
    };
    grid->addWidget(label("Núm. de decimales en datos numéricos:"), 0, 0);
    grid->addLayout(decimals, 0, 1);
    grid->addWidget(label("Nombre de la moneda a utilizar:"), 1, 0);
    grid->addWidget(m_currency, 1, 1);
    grid->addWidget(label("Postfijo a los números con letra:"), 2, 0);
    grid->addWidget(m_postfix, 2, 1);
    grid->addWidget(m_currencySign, 3, 0, 1, 2);
    grid->addWidget(m_readOnly, 4, 0, 1, 2);
    grid->addWidget(label("Autor:"), 5, 0);
    grid->addWidget(m_author, 5, 1);
    grid->addWidget(label("Clave:"), 6, 0);
    grid->addWidget(m_key, 6, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(words);
    layout->addLayout(buttons);
    // 223 dialog units wide.
    setMinimumWidth(fontMetrics().averageCharWidth() * 223 / 4);

    setTabOrder(m_decimals, m_currency);
    setTabOrder(m_currency, m_postfix);
    setTabOrder(m_postfix, m_currencySign);
    setTabOrder(m_currencySign, m_readOnly);
    setTabOrder(m_readOnly, m_author);
    setTabOrder(m_author, m_key);
    setTabOrder(m_key, m_traditional);
    setTabOrder(m_traditional, m_grammatical);
    setTabOrder(m_grammatical, ok);
    setTabOrder(ok, cancel);
    m_decimals->setFocus();
}

void FormatSettingsDialog::StepDecimals(int step) {
    bool ok = false;
    int value = m_decimals->text().trimmed().toInt(&ok);
    if (!ok || value < kMinDecimals || value > kMaxDecimals)
        value = m_settings.decimals;
    const int span = kMaxDecimals - kMinDecimals + 1;
    value = kMinDecimals + ((value - kMinDecimals + step) % span + span) % span;
    m_decimals->setText(QString::number(value));
    m_decimals->selectAll();
}

void FormatSettingsDialog::ShowSample() {
    CNumberWords writer;
    writer.SetCurrencyName(m_currency->text());
    writer.SetPostfix(m_postfix->text());
    writer.SetWording(m_grammatical->isChecked() ? AmountWording::Grammatical
                                                 : AmountWording::Traditional);
    m_sample->setText(writer.AmountInWords(kSampleAmount));
}

bool FormatSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_decimals && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepDecimals(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormatSettingsDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormatSettingsDialog::accept() {
    bool ok = false;
    const int decimals = m_decimals->text().trimmed().toInt(&ok);
    if (!ok || decimals < kMinDecimals || decimals > kMaxDecimals) {
        const QString message = QStringLiteral("Introduzca un número entero entre %1 y %2.")
                                    .arg(kMinDecimals)
                                    .arg(kMaxDecimals);
        if (m_tell)
            m_tell(message);
        else
            UserMessage::Warning(message);
        m_decimals->setFocus();
        m_decimals->selectAll();
        return;
    }
    m_settings.decimals = decimals;
    m_settings.currencyName = m_currency->text();
    m_settings.postfix = m_postfix->text();
    m_settings.currencySign = m_currencySign->isChecked();
    m_settings.calculatedReadOnly = m_readOnly->isChecked();
    m_settings.author = m_author->text();
    m_settings.key = m_key->text();
    m_wording =
        m_grammatical->isChecked() ? AmountWording::Grammatical : AmountWording::Traditional;
    QDialog::accept();
}
