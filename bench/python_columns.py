"""The Python package over a million values, beside Python's own work of the same
size in the same run: display_many against '%.2f' % v, read_many against float(), and
two threads with two units against one. Each figure is the best of REPEATS runs."""

import array
import os
import sys
import threading
import time

import pelunits

COUNT = int(os.environ.get("COUNT", 1000000))
REPEATS = int(os.environ.get("REPEATS", 5))


def best_pair(work, baseline):
    """The best time per value of each, their runs interleaved so that a busy stretch
    of the machine slows both alike."""
    times = ([], [])
    for _ in range(REPEATS):
        for kept, run in zip(times, (work, baseline)):
            start = time.perf_counter()
            run()
            kept.append(time.perf_counter() - start)
    return tuple(min(kept) / COUNT * 1e9 for kept in times)


def on_two_threads(calls, columns):
    threads = [threading.Thread(target=call, args=(column,)) for call, column in zip(calls, columns)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()


def main():
    unit = pelunits.Unit("feet-inch-fraction", precision=16)
    values = array.array("d", ((i * 7.37) % 60000.0 - 30000.0 for i in range(COUNT)))
    plain = list(values)
    texts = unit.display_many(values)
    numbers = ["%.2f" % v for v in plain]

    rows = [
        ("display_many, feet-inch-fraction", "'%.2f' % v", 1.0,
         best_pair(lambda: unit.display_many(values), lambda: ["%.2f" % v for v in plain])),
        ("read_many, feet-inch-fraction", "float(text)", 2.0,
         best_pair(lambda: unit.read_many(texts), lambda: [float(t) for t in numbers])),
    ]
    # The same column split over two units, on one thread and on two: the library's
    # share of the work runs in parallel.
    half = COUNT // 2
    units = [unit, unit.copy()]
    for name, work, column in (("display_many", "display_many", values),
                               ("read_many", "read_many", texts)):
        halves = [column[:half], column[half:]]
        calls = [getattr(u, work) for u in units]
        rows.append(("%s, 2 units on 2 threads" % name, "the same on 1 thread", 1.0, best_pair(
            lambda: on_two_threads(calls, halves),
            lambda: [call(h) for call, h in zip(calls, halves)])))

    print("python %s, %d values, best of %d" % (sys.version.split()[0], COUNT, REPEATS))
    print("%-38s %8s   %-22s %8s %6s %6s  %s" % ("operation", "ns/value", "baseline", "ns/value",
                                                "ratio", "target", "verdict"))
    failed = False
    for name, baseline, target, (ns, base_ns) in rows:
        ratio = ns / base_ns
        verdict = "ok" if ratio <= target else "SLOW"
        failed |= verdict != "ok"
        print("%-38s %8.0f   %-22s %8.0f %6.2f %6.2f  %s" % (name, ns, baseline, base_ns, ratio,
                                                        target, verdict))
    return 1 if failed and os.environ.get("STRICT") else 0


if __name__ == "__main__":
    sys.exit(main())
