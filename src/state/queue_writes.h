#pragma once
// What the critical-section test does to GlobalQueue: refill it with rows
// 1 to 100, and rewrite randomly drawn rows with or without QueueLock. A
// pair reads an entry into the shared buffer and writes the buffer back.

namespace lumo {

inline constexpr int kQueueRows = 100;

// Clears GlobalQueue and appends rows 1..100: C0 = i, C1 = "Test i",
// C2 = "TEST i". Takes no lock.
void refillGlobalQueue();
// pairs read/write-back pairs of random rows, each inside QueueLock.
void safePass(int pairs);
// The same pairs without QueueLock.
void unsafePass(int pairs);

}  // namespace lumo
