#include "capture_model/CaptureControlTypes.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "model/ControlType.h"
#include "platform/FormatLock.h"
#include "platform/Point.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

QString WriteFormat(const QTemporaryDir& dir, const QString& name) {
    DesignDocument doc;
    doc.Insert(ControlTypeCode::Rectangulo, Point{100, -100});
    const QString path = dir.filePath(name);
    doc.Save(path);
    return path;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A design window in an area (so that closing it is what a user's close is) whose lock question,
// file dialog and messages are answered by the test.
struct LockWindow {
    CFmtdesignFrm* frame = new CFmtdesignFrm;
    DocumentLock::Answer answer = DocumentLock::Answer::Cancel;
    std::vector<QString> asked;
    std::vector<bool> offered;
    QString chosen;
    std::vector<QString> told;

    explicit LockWindow(QMdiArea& area) {
        area.addSubWindow(frame);
        frame->SetLockAsker([this](const QString& message, bool offerRemoval) {
            asked.push_back(message);
            offered.push_back(offerRemoval);
            return answer;
        });
        frame->SetFileChooser([this](CFmtdesignFrm::FormatDialog) { return chosen; });
        frame->SetMessenger([this](const QString& message) { told.push_back(message); });
    }
};

} // namespace

TEST(FormatLockWindowTest, SecondWindowOpensReadOnlyAndSavesOnlyElsewhere) {
    CaptureControlTypes::RegisterAll();
    qputenv("USER", "ana");
    QTemporaryDir dir;
    const QString path = WriteFormat(dir, QStringLiteral("FACTURA.fmt"));
    QMdiArea area;
    LockWindow first(area);
    ASSERT_TRUE(first.frame->OpenFormat(path));
    EXPECT_TRUE(first.asked.empty());
    EXPECT_FALSE(first.frame->IsReadOnly());

    LockWindow second(area);
    EXPECT_FALSE(second.frame->OpenFormat(path));
    ASSERT_EQ(second.asked.size(), 1u);
    const QString since = QFileInfo(FormatLock::LockPathFor(path))
                              .lastModified()
                              .toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    const QString held = QStringLiteral("FACTURA.fmt está abierto por ana en %1 desde el %2.")
                             .arg(QSysInfo::machineHostName(), since);
    EXPECT_EQ(second.asked.at(0), held);
    EXPECT_FALSE(second.offered.at(0));

    second.answer = DocumentLock::Answer::ReadOnly;
    ASSERT_TRUE(second.frame->OpenFormat(path));
    EXPECT_TRUE(second.frame->IsReadOnly());
    EXPECT_TRUE(second.frame->windowTitle().endsWith(QStringLiteral(" (solo lectura)")));

    // "Guardar" asks for a name, and the name of the file someone else has is refused.
    const QByteArray before = Contents(path);
    second.frame->Document().Insert(ControlTypeCode::Linea, Point{300, -300});
    second.chosen = path;
    EXPECT_FALSE(second.frame->Save());
    EXPECT_EQ(second.told, std::vector<QString>{held});
    EXPECT_EQ(Contents(path), before);

    // Saved as another file, the window has that one, locked, to write.
    const QString copy = dir.filePath(QStringLiteral("COPIA.fmt"));
    second.chosen = copy;
    ASSERT_TRUE(second.frame->Save());
    EXPECT_FALSE(second.frame->IsReadOnly());
    EXPECT_EQ(second.frame->windowTitle(), QStringLiteral("Diseño de formato - %1").arg(copy));
    EXPECT_TRUE(QFileInfo::exists(FormatLock::LockPathFor(copy)));

    // Closing the first window lets the format go.
    first.frame->close();
    EXPECT_FALSE(QFileInfo::exists(FormatLock::LockPathFor(path)));
    LockWindow third(area);
    ASSERT_TRUE(third.frame->OpenFormat(path));
    EXPECT_TRUE(third.asked.empty());
    EXPECT_FALSE(third.frame->IsReadOnly());
}

TEST(FormatLockWindowTest, ForgottenLockFromAnotherHostIsOfferedForRemoval) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    const QString path = WriteFormat(dir, QStringLiteral("FACTURA.fmt"));
    QFile lock(FormatLock::LockPathFor(path));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("4242\nplenova\nCAJA2\nnot-this-machine\nboot\nLUIS\n");
    ASSERT_TRUE(lock.flush());
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                 QFileDevice::FileModificationTime));
    lock.close();

    QMdiArea area;
    LockWindow window(area);
    window.answer = DocumentLock::Answer::RemoveLock;
    ASSERT_TRUE(window.frame->OpenFormat(path));
    ASSERT_EQ(window.asked.size(), 1u);
    EXPECT_TRUE(window.offered.at(0));
    EXPECT_TRUE(window.asked.at(0).startsWith(
        QStringLiteral("FACTURA.fmt está abierto por LUIS en CAJA2")));
    EXPECT_TRUE(window.asked.at(0).endsWith(QStringLiteral(". ¿Quitar el bloqueo?")));
    EXPECT_FALSE(window.frame->IsReadOnly());
    EXPECT_EQ(FormatLock::HolderOf(path)->pid, QCoreApplication::applicationPid());
}
