#!/usr/bin/env python3
"""Searches for key presses that carry the player to the right through a stage.

Starting from a prefix key script (which must leave Right held, or be empty:
Right is then pressed at tick 1), the search adds presses of Up of a few
lengths and short releases of Right, each run of tovek-sim judged by how far
right the player got before a miss or before standing still for too long.
It backtracks over the most promising additions until the goal is reached:
the stage cleared, or with --until-x the player standing at or beyond that x.
The found script (prefix and additions) is printed in the keys-file format.

The stage is played in a scratch program folder with 80 ms ticks and the
character chosen with --chara (default 0), as the stage tests play it.
Lifts, ports and swimming usually need a hand-written prefix; the search is
best at the jumps in between. Example:

    tests/stages/find_route.py --sim build/release/tovek-sim \\
        --stage 1 --stage-file dist/data/m01.dat > /tmp/m01.keys
"""
import argparse
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

# What the search may add at a tick: (key, ticks held); "-Right" lets go of
# Right for that long.
ADDITIONS = [("Up", 1), ("Up", 8), ("Up", 16), ("Up", 40), ("-Right", 3), ("-Right", 8), ("-Right", 20)]


def read_keys(path):
    events = []
    for line in Path(path).read_text().splitlines():
        if line.strip() and not line.startswith("#"):
            tick, action, key = line.split()
            events.append((int(tick), action, key))
    return events


def addition_events(additions):
    events = []
    for key, tick, length in additions:
        if key.startswith("-"):
            events += [(tick, "up", key[1:]), (tick + length, "down", key[1:])]
        else:
            events += [(tick, "down", key), (tick + length, "up", key)]
    return events


class Search:
    def __init__(self, args, prefix):
        self.args = args
        self.prefix = prefix
        self.runs = 0
        self.results = {}
        self.folder = tempfile.TemporaryDirectory()
        program = Path(self.folder.name)
        (program / "data").mkdir()
        (program / "Tovek.ini").write_text(
            f"[Customize]\nTitle=Tovek\nFolder=data\nChara={args.chara}\nTSpeed=0\n")
        shutil.copyfile(args.stage_file, program / "data" / f"m{args.stage % 100:02d}.dat")

    def events(self, additions):
        return sorted(self.prefix + addition_events(additions), key=lambda event: event[0])

    def reached_goal(self, state):
        if self.args.until_x is None:
            return state["stageCleared"]
        return state["playerX"] >= self.args.until_x and not state["airborne"]

    def judge(self, additions):
        """(goal tick or None, tick the attempt failed, furthest x)."""
        key = tuple(sorted(additions))
        if key in self.results:
            return self.results[key]
        self.runs += 1
        keys = Path(self.folder.name) / "try.keys"
        keys.write_text("".join(f"{t} {a} {k}\n" for t, a, k in self.events(additions)))
        output = subprocess.run(
            [self.args.sim, "--dir", self.folder.name, "--stage", str(self.args.stage),
             "--ticks", str(self.args.ticks), "--keys", str(keys)],
            check=True, capture_output=True, text=True).stdout
        furthest, furthest_tick, result = -1, 0, None
        for line in output.splitlines():
            state = json.loads(line)
            tick = state["tick"]
            if tick < self.args.start:
                continue
            if state["dying"] or state["gameOver"] or state["misses"]:
                result = (None, tick, furthest)
                break
            if self.reached_goal(state):
                result = (tick, None, furthest)
                break
            if state["playerX"] > furthest:
                furthest, furthest_tick = state["playerX"], tick
            if tick - furthest_tick > self.args.patience:
                result = (None, furthest_tick, furthest)
                break
        self.results[key] = result or (None, self.args.ticks, furthest)
        return self.results[key]

    def solve(self, additions, depth=0):
        goal, failed, furthest = self.judge(additions)
        if goal is not None:
            return additions
        if self.runs > self.args.budget or depth > 60:
            return None
        later = max([t + n for _, t, n in additions], default=self.args.start)
        candidates = {}
        for tick in range(max(later + 1, failed - self.args.window), failed + 1):
            for key, length in ADDITIONS:
                attempt = additions + [(key, tick, length)]
                outcome = self.judge(attempt)
                if outcome[0] is not None or outcome[2] > furthest:
                    candidates.setdefault(outcome, attempt)
        ranked = sorted(candidates.items(), reverse=True,
                        key=lambda item: (item[0][0] is not None, -(item[0][0] or 0),
                                          item[0][2], -(item[0][1] or 0)))
        for _, attempt in ranked[:self.args.branch]:
            found = self.solve(attempt, depth + 1)
            if found:
                return found
        return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sim", required=True, help="the tovek-sim program")
    parser.add_argument("--stage", type=int, required=True, help="stage number, 1..100")
    parser.add_argument("--stage-file", required=True, help="the stage file to play")
    parser.add_argument("--chara", type=int, default=0, choices=(0, 1, 2), help="character")
    parser.add_argument("--prefix", help="key script to start from (leaves Right held)")
    parser.add_argument("--start", type=int, default=1,
                        help="first tick the search may add presses at and judges progress from")
    parser.add_argument("--until-x", type=int, help="goal: stand at or right of this x")
    parser.add_argument("--ticks", type=int, default=1500, help="ticks each attempt is played")
    parser.add_argument("--patience", type=int, default=20,
                        help="ticks without getting further right before an attempt counts as stuck")
    parser.add_argument("--window", type=int, default=30,
                        help="how many ticks before a failure presses are tried")
    parser.add_argument("--branch", type=int, default=3, help="additions followed at each step")
    parser.add_argument("--budget", type=int, default=5000, help="runs of tovek-sim at most")
    args = parser.parse_args()

    prefix = read_keys(args.prefix) if args.prefix else [(1, "down", "Right")]
    search = Search(args, prefix)
    found = search.solve([])
    if found is None:
        print(f"no route found in {search.runs} runs", file=sys.stderr)
        return 1
    goal = search.judge(found)[0]
    print(f"# found by find_route.py in {search.runs} runs; goal at tick {goal}")
    for tick, action, key in search.events(found):
        print(f"{tick} {action} {key}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
