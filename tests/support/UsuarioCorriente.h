#pragma once
// For tests that need file permissions to hold, which they do not for root: a child process of a test
// becomes the ordinary user "nobody", or a whole test runs again in such a child.

#include <QFile>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

// In a child process: when the tests run as root, become "nobody", for whom file permissions hold (a
// folder without read permission is then closed). Ends the child with status 97 when that fails.
inline void HacerseUsuarioCorriente() {
    if (geteuid() != 0)
        return;
    setgroups(0, nullptr);
    if (setgid(65534) != 0 || setuid(65534) != 0)
        _exit(97);
}

// Called first in a test body. When the tests run as root, runs this same test again, alone, in a child
// program that is "nobody", makes its result this test's and returns true: the caller returns. For an
// ordinary user it returns false and the test goes on.
inline bool RepetidaComoUsuarioCorriente() {
    if (geteuid() != 0)
        return false;
    const ::testing::TestInfo& prueba = *::testing::UnitTest::GetInstance()->current_test_info();
    QProcess hijo;
    hijo.setChildProcessModifier(HacerseUsuarioCorriente);
    hijo.setProcessChannelMode(QProcess::MergedChannels);
    hijo.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
               {QStringLiteral("--gtest_filter=%1.%2")
                    .arg(QString::fromUtf8(prueba.test_suite_name()), QString::fromUtf8(prueba.name()))});
    const bool terminada = hijo.waitForFinished(120000);
    if (!terminada) {
        hijo.kill();
        hijo.waitForFinished();
    }
    const QByteArray salida = hijo.readAll();
    EXPECT_TRUE(terminada && hijo.exitStatus() == QProcess::NormalExit && hijo.exitCode() == 0 &&
                salida.contains("[  PASSED  ] 1 test."))
        << "run as an ordinary user:\n"
        << salida.toStdString();
    return true;
}
