#include "platform/message_queue.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct Queue : ::testing::Test {
    std::vector<WindowMessage> handled;
    std::vector<std::thread::id> handlerThreads;
    MessageQueue queue{[this](const WindowMessage& m) {
        handled.push_back(m);
        handlerThreads.push_back(std::this_thread::get_id());
    }};
};

} // namespace

TEST_F(Queue, handlesPostedMessagesInOrderOnTheThreadThatDispatches) {
    std::thread worker([&] {
        for (WParam i = 1; i <= 3; ++i) {
            queue.post({0xBD0, i, 0, nullptr});
        }
    });
    worker.join();
    EXPECT_TRUE(handled.empty());
    EXPECT_EQ(queue.dispatch(), 3);
    ASSERT_EQ(handled.size(), 3u);
    EXPECT_EQ(handled[0].wParam, 1u);
    EXPECT_EQ(handled[2].wParam, 3u);
    EXPECT_EQ(handlerThreads[0], std::this_thread::get_id());
}

TEST_F(Queue, sendWaitsUntilTheMessageWasHandled) {
    std::atomic<int> running{1};
    std::atomic<int> sendResult{-1};
    std::thread worker([&] { sendResult = queue.send({0xBD5, 0, 42, nullptr}, running) ? 1 : 0; });
    ASSERT_TRUE(queue.dispatchUntil([&] { return !handled.empty(); }, 5000));
    worker.join();
    EXPECT_EQ(sendResult.load(), 1);
    EXPECT_EQ(handled[0].lParam, 42);
}

TEST_F(Queue, aBlockedSendIsReleasedByClearingItsFlagAndIsNeverHandledAfterwards) {
    std::atomic<int> running{1};
    std::atomic<int> sendResult{-1};
    std::atomic<bool> queued{false};
    queue.setWakeUp([&] { queued = true; });
    std::thread worker([&] { sendResult = queue.send({0xBD5, 0, 7, nullptr}, running) ? 1 : 0; });
    EXPECT_TRUE(WaitUntil([&] { return queued.load(); }));
    running = 0;
    worker.join(); // would hang if the stop did not release the sender
    EXPECT_EQ(sendResult.load(), 0);
    EXPECT_EQ(queue.dispatch(), 0);
    EXPECT_TRUE(handled.empty());
}

TEST_F(Queue, discardDropsOnlyTheMessagesOfOneSender) {
    int jobA = 0;
    int jobB = 0;
    queue.post({1, 0, 0, &jobA});
    queue.post({2, 0, 0, &jobB});
    queue.post({3, 0, 0, &jobA});
    queue.discard(&jobA);
    queue.dispatch();
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(handled[0].id, 2u);
}

TEST_F(Queue, aSendFromTheUiThreadItselfIsHandledAtOnce) {
    std::atomic<int> running{1};
    EXPECT_TRUE(queue.send({0xBD3, 1, 5, nullptr}, running));
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(queue.dispatch(), 0) << "nothing was queued";
}

TEST_F(Queue, wakesTheUiThreadOncePerBurstAndAgainForWhatADispatchLeftBehind) {
    std::atomic<int> wakes{0};
    queue.setWakeUp([&] { ++wakes; });
    queue.post({1, 0, 0, nullptr});
    queue.post({2, 0, 0, nullptr});
    EXPECT_EQ(wakes.load(), 1);
    queue.dispatch();
    queue.post({3, 0, 0, nullptr});
    EXPECT_EQ(wakes.load(), 2);
}

TEST_F(Queue, aHandlerThatPostsAgainDoesNotKeepOneDispatchGoing) {
    MessageQueue* self = nullptr;
    int calls = 0;
    MessageQueue echo([&](const WindowMessage& m) {
        ++calls;
        self->post(m);
    });
    self = &echo;
    int wakes = 0;
    echo.setWakeUp([&] { ++wakes; });
    echo.post({1, 0, 0, nullptr});
    EXPECT_EQ(echo.dispatch(), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(wakes, 2); // the message left behind is not forgotten
    EXPECT_EQ(echo.dispatch(), 1);
}
