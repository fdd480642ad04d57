// Writers of one database file take their turns in the order they came, through the queue beside
// the file: a later arrival never goes first, and one that dies or hangs does not hold the others.
#include "platform/database/Database.h"
#include "platform/database/TurnQueue.h"
#include "TestFolder.h"
#include <QProcess>
#include <QtTest>
#include <cstdio>

namespace {

// Run as a child process: joins the queue on the file, says "joined" and stays until killed.
int holdATurn(const QString &path)
{
    auto queue = TurnQueue::open(path);
    if (!queue || queue->tryJoin() != TurnQueue::Join::Joined)
        return 2;
    std::fputs("joined\n", stdout);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(60);
}

std::unique_ptr<TurnQueue> joinedQueue(const QString &path)
{
    auto queue = TurnQueue::open(path);
    if (queue && queue->tryJoin() != TurnQueue::Join::Joined)
        queue.reset();
    return queue;
}

}  // namespace

class TurnQueueTest : public QObject {
    Q_OBJECT

private slots:
    // Three connections of one process: each locks on its own, in the order they joined, and one
    // that comes back after its turn waits behind those already waiting.
    void turnsGoInTheOrderOfArrival()
    {
        TestFolder f;
        const QString path = f.file("DODE.pos-queue");
        auto a = joinedQueue(path), b = joinedQueue(path), c = joinedQueue(path);
        QVERIFY(a && b && c);
        QCOMPARE(b->ticket(), a->ticket() + 1);
        QVERIFY(a->isMyTurn());
        QVERIFY(!b->isMyTurn());
        QVERIFY(!c->isMyTurn());
        QVERIFY(b->isNext());
        QVERIFY(!c->isNext());

        a->leave();
        QVERIFY(b->isMyTurn());
        QVERIFY(!c->isMyTurn());
        QVERIFY(c->isNext());
        QCOMPARE(a->tryJoin(), TurnQueue::Join::Joined);
        QVERIFY(!a->isMyTurn());

        // One that gives up waiting does not let the one behind it pass the one ahead of it.
        c->leave();
        QVERIFY(!a->isMyTurn());
        b->leave();
        QVERIFY(a->isMyTurn());
    }

    // A register killed while it holds its place: the next one's turn comes at once.
    void aKilledHolderLetsTheNextGo()
    {
        TestFolder f;
        const QString path = f.file("DODE.pos-queue");
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-turn", path});
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("joined"));

        auto next = joinedQueue(path);
        QVERIFY(next);
        QVERIFY(!next->isMyTurn());
        holder.kill();
        QVERIFY(holder.waitForFinished(30000));
        QVERIFY(next->isMyTurn());
    }

    // A write that waits for its turn keeps running the wait hook (the sales screen repaints), and
    // runs its work once when the one ahead is done.
    void aWriteWaitsInTheQueueWithTheWaitHookRunning()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        auto ahead = joinedQueue(db->path() + "-queue");
        QVERIFY(ahead);
        int hookRuns = 0;
        db->setBusyWaitHook([&] {
            if (++hookRuns == 3)
                ahead->leave();
        });
        int runs = 0;
        db->writeTransaction([&] {
            ++runs;
            db->execute("INSERT INTO Login (LogInNo) VALUES ('1')");
        });
        QCOMPARE(hookRuns, 3);
        QCOMPARE(runs, 1);
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 1);
    }

    // One ahead that hangs without dying, and never reaches the database: once the queue has stood
    // still as long as a statement may wait for the lock, the write goes ahead instead of being
    // refused when its bound runs out. Those behind still count the hung one as ahead of them.
    void aQueueThatStandsStillIsNoLongerWaitedFor()
    {
        TestFolder f;
        auto db = Database::open(f.file("DODE.pos"));
        db->setBusyTimeoutMs(200);
        auto hung = joinedQueue(db->path() + "-queue");
        QVERIFY(hung);
        std::unique_ptr<TurnQueue> behind;
        db->writeTransaction([&] {
            db->execute("INSERT INTO Login (LogInNo) VALUES ('1')");
            behind = joinedQueue(db->path() + "-queue");
            QVERIFY(behind && !behind->isMyTurn());
        });
        QCOMPARE(db->scalar("SELECT count(*) FROM Login").toInt64(), 1);
        QVERIFY(!behind->isMyTurn());
        hung->leave();
        QVERIFY(behind->isMyTurn());
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--hold-turn")
        return holdATurn(QString::fromLocal8Bit(argv[2]));
    TurnQueueTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_turn_queue.moc"
