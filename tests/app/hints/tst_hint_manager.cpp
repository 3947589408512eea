#include "balloon_hint.h"
#include "gui_test_main.h"
#include "hint_manager.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <memory>

using namespace std::chrono_literals;

namespace {

const QString fieldHint = QStringLiteral("Seleccionar el fichero original de datos del Pitovan o Rumbelo");
const QString buttonHint = QStringLiteral("Pulsar este botón para generar el nuevo fichero.");

} // namespace

class TestHintManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void helpRequest_data();
    void helpRequest();
    void restingPointer();
    void arrival_data();
    void arrival();
    void balloonGoes_data();
    void balloonGoes();
    void expiredHintWaitsForTheNextVisit();
    void animation_data();
    void animation();
    void otherWindowsKeepQtToolTips();

private:
    QWidget* widget(const QString& name) const { return m_window->findChild<QWidget*>(name); }
    void movePointerOnto(const QString& name);
    void requestHelp(const QString& name);
    QString shownText() const;

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<HintManager> m_hints;
};

void TestHintManager::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->setGeometry(100, 100, 300, 200);
    QFont font = m_window->font();
    font.setPixelSize(11);
    m_window->setFont(font);
    auto* field = new QLineEdit(m_window.get());
    field->setObjectName(QStringLiteral("field"));
    field->setGeometry(80, 20, 201, 21);
    field->setToolTip(fieldHint);
    auto* browse = new QToolButton(field);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setGeometry(178, 2, 21, 17);
    auto* label = new QLabel(QStringLiteral("Fichero Origen"), m_window.get());
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(8, 24, 69, 13);
    auto* button = new QPushButton(QStringLiteral("Generar"), m_window.get());
    button->setObjectName(QStringLiteral("button"));
    button->setGeometry(80, 120, 129, 33);
    button->setToolTip(buttonHint);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // Every test starts from a spot without a hint. Qt drops a move to where the pointer already is,
    // and under X11 the first move into a new window may only enter it: two moves.
    QTest::mouseMove(m_window->windowHandle(), QPoint(290, 190));
    QTest::mouseMove(m_window->windowHandle(), QPoint(291, 190));
}

void TestHintManager::cleanup()
{
    m_hints.reset();
    m_window.reset();
}

void TestHintManager::movePointerOnto(const QString& name)
{
    QWidget* target = widget(name);
    QTest::mouseMove(m_window->windowHandle(), target->mapTo(m_window.get(), target->rect().center()));
}

void TestHintManager::requestHelp(const QString& name)
{
    QWidget* target = widget(name);
    const QPoint centre = target->rect().center();
    QHelpEvent help(QEvent::ToolTip, centre, target->mapToGlobal(centre));
    QApplication::sendEvent(target, &help);
}

QString TestHintManager::shownText() const
{
    return m_hints->balloon() != nullptr && m_hints->balloon()->isVisible() ? m_hints->balloon()->text() : QString();
}

void TestHintManager::helpRequest_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("owner");
    QTest::addRow("file-name field") << QStringLiteral("field") << fieldHint << QStringLiteral("field");
    QTest::addRow("its browse button, without a hint of its own")
        << QStringLiteral("browse") << fieldHint << QStringLiteral("field");
    QTest::addRow("push button") << QStringLiteral("button") << buttonHint << QStringLiteral("button");
    QTest::addRow("label without hint") << QStringLiteral("label") << QString() << QString();
}

void TestHintManager::helpRequest()
{
    QFETCH(QString, target);
    QFETCH(QString, expected);
    QFETCH(QString, owner);
    m_hints = std::make_unique<HintManager>(*m_window);
    widget(QStringLiteral("button"))->setFont(QFont(QStringLiteral("Serif"), 14));

    requestHelp(target);

    QCOMPARE(shownText(), expected);
    QVERIFY2(!QToolTip::isVisible(), "Qt's own tool tip stays hidden");
    if (!owner.isEmpty())
        QCOMPARE(m_hints->balloon()->font(), widget(owner)->font());
}

void TestHintManager::restingPointer()
{
    m_hints = std::make_unique<HintManager>(*m_window);
    movePointerOnto(QStringLiteral("browse"));
    QTest::qWait(300);
    QCOMPARE(shownText(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(shownText(), fieldHint, 2000);
}

void TestHintManager::arrival_data()
{
    QTest::addColumn<bool>("hintShowing");
    QTest::addColumn<int>("restOnLabel");
    QTest::addColumn<bool>("quick");
    QTest::addRow("from a showing hint, straight on") << true << 0 << true;
    QTest::addRow("from a showing hint, after a rest outside") << true << 1800 << false;
    QTest::addRow("with no hint showing") << false << 0 << false;
}

void TestHintManager::arrival()
{
    QFETCH(bool, hintShowing);
    QFETCH(int, restOnLabel);
    QFETCH(bool, quick);
    // A long pause, so that only the short one brings the hint up within a second.
    m_hints = std::make_unique<HintManager>(*m_window, HintTimings {1500ms, 50ms, 60s});
    if (hintShowing)
        requestHelp(QStringLiteral("field"));
    movePointerOnto(QStringLiteral("field"));
    QCOMPARE(shownText(), hintShowing ? fieldHint : QString());

    movePointerOnto(QStringLiteral("label"));
    QTest::qWait(restOnLabel);
    movePointerOnto(QStringLiteral("button"));
    if (quick) {
        QTRY_COMPARE_WITH_TIMEOUT(shownText(), buttonHint, 1000);
    } else {
        QTest::qWait(1000);
        QCOMPARE(shownText(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(shownText(), buttonHint, 3000);
    }
}

void TestHintManager::balloonGoes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stays");
    QTest::addRow("pointer onto the field's browse button") << QStringLiteral("browse") << true;
    QTest::addRow("pointer onto a label") << QStringLiteral("label") << false;
    QTest::addRow("pointer onto another control") << QStringLiteral("button") << false;
    QTest::addRow("field hidden") << QStringLiteral("hide field") << false;
    QTest::addRow("window hidden") << QStringLiteral("hide window") << false;
}

void TestHintManager::balloonGoes()
{
    QFETCH(QString, action);
    QFETCH(bool, stays);
    m_hints = std::make_unique<HintManager>(*m_window);
    movePointerOnto(QStringLiteral("field"));
    QTRY_COMPARE_WITH_TIMEOUT(shownText(), fieldHint, 2000);
    const BalloonHint* shown = m_hints->balloon();

    if (action == QStringLiteral("hide field"))
        widget(QStringLiteral("field"))->hide();
    else if (action == QStringLiteral("hide window"))
        m_window->hide();
    else
        movePointerOnto(action);

    if (stays)
        QCOMPARE(m_hints->balloon(), shown);
    else
        QCOMPARE_NE(m_hints->balloon(), shown);
    QCOMPARE(shownText(), stays ? fieldHint : QString());
}

void TestHintManager::expiredHintWaitsForTheNextVisit()
{
    m_hints = std::make_unique<HintManager>(*m_window, HintTimings {100ms, 10ms, 400ms});
    movePointerOnto(QStringLiteral("field"));
    QTRY_COMPARE_WITH_TIMEOUT(shownText(), fieldHint, 2000);
    QTest::qWait(200);
    QCOMPARE(shownText(), fieldHint);
    QTRY_COMPARE_WITH_TIMEOUT(shownText(), QString(), 2000);

    movePointerOnto(QStringLiteral("browse"));
    requestHelp(QStringLiteral("field"));
    QTest::qWait(300);
    QCOMPARE(shownText(), QString());

    movePointerOnto(QStringLiteral("label"));
    movePointerOnto(QStringLiteral("field"));
    QTRY_COMPARE_WITH_TIMEOUT(shownText(), fieldHint, 2000);
}

void TestHintManager::animation_data()
{
    QTest::addColumn<bool>("animate");
    QTest::addColumn<bool>("fade");
    QTest::addColumn<int>("length");
    QTest::addColumn<BalloonAnimation>("expected");
    QTest::addRow("desktop fades tips, 99 characters") << true << true << 99 << BalloonAnimation::Fade;
    QTest::addRow("desktop fades tips, 100 characters") << true << true << 100 << BalloonAnimation::None;
    QTest::addRow("desktop slides tips, 99 characters") << true << false << 99 << BalloonAnimation::Slide;
    QTest::addRow("desktop does not animate tips") << false << true << 99 << BalloonAnimation::None;
}

void TestHintManager::animation()
{
    QFETCH(bool, animate);
    QFETCH(bool, fade);
    QFETCH(int, length);
    QFETCH(BalloonAnimation, expected);
    const bool general = QApplication::isEffectEnabled(Qt::UI_General);
    const bool animateTips = QApplication::isEffectEnabled(Qt::UI_AnimateTooltip);
    const bool fadeTips = QApplication::isEffectEnabled(Qt::UI_FadeTooltip);
    QApplication::setEffectEnabled(Qt::UI_General, true);
    // Enabling the fade enables the animation as well, so the animation setting goes last.
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, fade);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, animate);
    m_hints = std::make_unique<HintManager>(*m_window);
    QString text = (buttonHint + QLatin1Char(' ')).repeated(3).left(length);
    widget(QStringLiteral("button"))->setToolTip(text);

    requestHelp(QStringLiteral("button"));
    const BalloonAnimation chosen = m_hints->balloon()->animation();

    QApplication::setEffectEnabled(Qt::UI_General, general);
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, fadeTips);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, animateTips);
    QCOMPARE(chosen, expected);
}

void TestHintManager::otherWindowsKeepQtToolTips()
{
    m_hints = std::make_unique<HintManager>(*m_window);
    QPushButton other(QStringLiteral("Abrir"));
    other.setToolTip(QStringLiteral("Abrir el fichero"));
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    const QPoint centre = other.rect().center();
    QHelpEvent help(QEvent::ToolTip, centre, other.mapToGlobal(centre));

    QApplication::sendEvent(&other, &help);

    QCOMPARE(m_hints->balloon(), nullptr);
    QVERIFY(QToolTip::isVisible());
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
}

CRIBAXON_GUI_TEST_MAIN(TestHintManager)
#include "tst_hint_manager.moc"
