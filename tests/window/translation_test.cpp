#include <cstring>

#include <QtTest>

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTranslator>
#include <QXmlStreamReader>

#include "platform/autostart_entry.h"
#include "platform/program_options.h"
#include "schedule/given_schedule.h"
#include "schedule/kept_schedules.h"
#include "schedule/option_table.h"
#include "window/history_window.h"
#include "window_rig.h"

using namespace ventaro;
using namespace ventaro::test;

namespace {

// The Japanese catalogue by context and source; an unfinished message is
// empty. Unread, nothing is marked and every scene fails.
QHash<QString, QString> catalogue()
{
    QFile file(QStringLiteral(VENTARO_CATALOGUE));
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QHash<QString, QString> messages;
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            source = context + u'\x1f' + xml.readElementText();
        else if (xml.name() == u"translation")
            messages[source] = xml.attributes().hasAttribute(QStringLiteral("type")) ? QString() : xml.readElementText();
    }
    return messages;
}

// Marks each literal piece between the placeholders of every message
// lupdate extracted, and of Qt's own (Qt's catalogue has them): what an
// argument brings stays unmarked, and so does a text wrapped but never
// extracted, or asked for in another context than extracted.
class PseudoTranslator final : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        if (std::strncmp(context, "Q", 1) != 0 && !known_.contains(QString::fromUtf8(context) + u'\x1f' + text))
            return {};
        static const QRegularExpression placeholder(QStringLiteral("(%(?:\\d+|n))"));
        return u'⟦' + QString(text).replace(placeholder, QStringLiteral("⟧\\1⟦")) + u'⟧';
    }

private:
    const QHash<QString, QString> known_ = catalogue();
};

// The words a text says outside its marked pieces.
QStringList unmarkedWords(const QString &text)
{
    static const QRegularExpression markedPiece(QStringLiteral("⟦[^⟧]*⟧")), word(QStringLiteral("\\p{L}+"));
    QStringList words;
    for (const QRegularExpressionMatch &m : word.globalMatch(QString(text).remove(markedPiece)))
        words << m.captured();
    return words;
}

// What a person sees or hears of every window: captions, texts, tool tips,
// accessible names and descriptions, menu items, table cells. The command
// box is the user's; the other fields hold digits and units.
QStringList shownTexts()
{
    QStringList texts;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        const QList<QWidget *> widgets = top->findChildren<QWidget *>() << top;
        for (QWidget *w : widgets) {
            texts << w->toolTip() << w->accessibleName() << w->accessibleDescription() << w->windowTitle();
            for (const char *property : {"text", "placeholderText", "specialValueText"})
                texts << w->property(property).toString();
            for (const QAction *action : w->actions())
                texts << action->text();
            auto *table = qobject_cast<QTableWidget *>(w);
            for (int row = -1; table != nullptr && row < table->rowCount(); ++row) // -1: the headers
                for (int column = 0; column < table->columnCount(); ++column)
                    if (const QTableWidgetItem *item = row < 0 ? table->horizontalHeaderItem(column) : table->item(row, column))
                        texts << item->text();
        }
    }
    return texts;
}

} // namespace

class TranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::installTranslator(&pseudo_); }

    // Every text of ours reaches the screen through the catalogue; left
    // unmarked are the captions the window keeps in every language and what
    // came from outside (the command, its output, a path, the system's words).
    void everyTextIsATranslatorsToGive_data()
    {
        QTest::addColumn<QString>("scene");
        for (const char *scene : {"unarmed window and its menu", "armed with every option", "run now without a command",
                                  "a failure, its message and the history", "the kept schedules and limits windows",
                                  "a login entry that cannot be written", "help, usage errors and the list"})
            QTest::newRow(scene) << QString::fromLatin1(scene);
    }
    void everyTextIsATranslatorsToGive()
    {
        QFETCH(QString, scene);
        QTemporaryDir config;
        EnvOverride configHome("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QStringList outside = unmarkedWords(QStringList{config.filePath(QStringLiteral("autostart")), QString::fromLocal8Bit(std::strerror(ENOTDIR)),
            unitWords().join(u' '), QStringLiteral("Set Release Exit Reset Seconds Minutes Hours Days After VENTARO Command Next "
                                                   "Activate ventaro opt job disk full schedule UTC")}.join(u' '));
        QStringList texts;
        {
            AutostartEntry entry(QStringLiteral("schedule-1"));
            WindowRig rig;
            // A window with a login entry takes the launcher's word from the rig's.
            std::optional<Form1> withEntry;
            if (scene.startsWith(u"the kept") || scene.startsWith(u"a login"))
                withEntry.emplace(Form1Parts{rig.clock, rig.launcher, Separators{}, nullptr, &entry});
            if (scene.startsWith(u"armed")) {
                rig.form.fill({QStringLiteral("2024/05/17 21:45:00"), QStringLiteral("10"), Unit::Minutes,
                               QStringLiteral("/opt/job"), true, false, {true, true, true, 7200, 3, 600}, {}});
                rig.form.armGiven();
            } else if (scene.startsWith(u"run now")) {
                QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);
            } else if (scene.startsWith(u"a failure")) {
                rig.child<QPlainTextEdit>("command")->setPlainText(QStringLiteral("/opt/job"));
                QTest::keyClick(&rig.form, Qt::Key_R, Qt::ControlModifier);
                rig.launcher.write(1001, "disk full\n");
                rig.launcher.end(ChildExit{1001, 3, std::nullopt, 2000});
                rig.tick();
                QTRY_VERIFY(rig.messageWindow() != nullptr);
                QTest::keyClick(&rig.form, Qt::Key_F1);
                QTRY_VERIFY(rig.history() != nullptr && rig.history()->isVisible());
            } else if (scene.startsWith(u"the kept")) {
                rig.choose(QStringLiteral("stop_after"));
                withEntry->findChild<QAction *>(QStringLiteral("kept_schedules"))->trigger();
            } else if (scene.startsWith(u"a login")) {
                QFile(config.filePath(QStringLiteral("autostart"))).open(QIODevice::WriteOnly); // a file where the folder goes
                withEntry->findChild<QAction *>(QStringLiteral("login"))->trigger();
                QTRY_VERIFY(withEntry->findChild<QMessageBox *>(QStringLiteral("message")) != nullptr);
            } else if (scene.startsWith(u"help")) {
                const char *bad[] = {"ventaro", "--at", "99:99", "--every", "ten", "--set", "--retry", "x", "--bogus", "stray"};
                const ProgramOptions read = readArguments(10, const_cast<char **>(bad), commandLineOptions());
                texts << helpText(commandLineOptions(), commandLineDescription()) << read.problems
                      << readGivenSchedule(read, rig.clock, Separators{}).problem
                      << keptSchedulesText({{QStringLiteral("schedule-1"), {}, {}, {}, {}, {}, false, {}}});
                for (const OptionSpec &option : commandLineOptions())
                    outside << unmarkedWords(option.name + u' ' + option.valueName + QStringLiteral(" h help v version PROGRAM ARGUMENT ten x bogus stray"));
            }
            rig.tick();
            texts << shownTexts();
        }
        QStringList untranslated;
        for (const QString &text : std::as_const(texts))
            for (const QString &word : unmarkedWords(text))
                if (!outside.contains(word))
                    untranslated << text;
        untranslated.removeDuplicates();
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
        QVERIFY(texts.join(QString()).contains(u'⟦')); // the scene showed something of ours
    }

    // Every message of ours has its Japanese, with the same placeholders.
    void japaneseIsWhole()
    {
        const auto placeholders = [](const QString &text) {
            QSet<QString> found;
            for (const QRegularExpressionMatch &m : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
                found << m.captured();
            return found;
        };
        QStringList missing;
        for (const auto &[key, japanese] : catalogue().asKeyValueRange())
            if (!key.startsWith(u'Q') && (japanese.isEmpty() || placeholders(japanese) != placeholders(key.section(u'\x1f', 1))))
                missing << key;
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

private:
    PseudoTranslator pseudo_;
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
