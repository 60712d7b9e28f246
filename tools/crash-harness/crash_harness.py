#!/usr/bin/env python3
"""Kills the real app at random moments and checks that no inspection is lost.

The app runs offscreen on scenarios that store new cases, edit a stored case,
delete sent cases and send every case to the stand-in inspection server, whose
uploads are delayed so that kills land inside them. After every run (killed
with SIGKILL at a seeded random moment, or finished) the documents folder is
checked as a device would find it on the next start:

- both kinds of store file parse (Python's plistlib);
- every case whose "照片儲存成功" was shown is there with all its photos,
  unless it was sent and then deleted on purpose;
- no case is "1" (sent) that the server did not accept;
- `inspector-cli store check` reports nothing but photo files no case names.

At the end it lists the photo files that no case names, with what
`inspector-cli store tidy --dry-run` would do with each.

It counts uploads the server kept more than once for a case (beyond the edits
that made a sent case waiting again) and kills that landed inside an upload
(the server kept the case, the app had not yet marked it sent). Prints the
figures; exits 1 when any check failed.

    crash_harness.py --build BUILD_DIR [--kills N] [--seed S] [--keep DIR]
"""

import argparse
import collections
import os
import plistlib
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
INSPECTOR_ID = "A123456789"
# Every case the harness stores has this many photos: the inspector in frame,
# two site photos and one maintenance-order photo.
SITE_PHOTOS, MAINTENANCE_PHOTOS = 2, 1
UPLOAD_DELAY = 0.6
SAVED = "expect alert 照片儲存成功"


class Server:
    """The stand-in inspection server on a free port, keeping uploads in a folder."""

    def __init__(self, build: Path, work: Path):
        self.store = work / "server-received"
        self.log = open(work / "server.log", "w+")
        self.process = subprocess.Popen(
            [str(build / "tools/inspection-server/inspection-server"), "--port", "0",
             "--config", str(HERE / "harness-config.json"), "--store", str(self.store),
             "--delay", f"appUpPhoto.do={UPLOAD_DELAY}"],
            stdout=self.log, stderr=subprocess.STDOUT)
        self.address = self._wait_for_address()

    def _wait_for_address(self) -> str:
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            self.log.seek(0)
            found = re.search(r"listening on (127\.0\.0\.1:\d+)", self.log.read())
            if found:
                return found.group(1)
            if self.process.poll() is not None:
                break
            time.sleep(0.05)
        raise SystemExit("the inspection server did not start")

    def uploads(self) -> collections.Counter:
        """How many times the server kept each case, by "pakeno,Chkno"."""
        kept = collections.Counter()
        if self.store.exists():
            for folder in self.store.iterdir():
                parts = folder.name.split("-", 2)
                if len(parts) == 3 and not folder.name.endswith(".partial"):
                    kept[f"{parts[1]},{parts[2]}"] += 1
        return kept

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Device:
    """The app's home folder, kept across runs as a phone keeps it across crashes."""

    def __init__(self, build: Path, work: Path, server: Server):
        self.build = build
        self.work = work
        self.home = work / "home"
        self.documents = self.home / "Documents"
        self.parameters = work / "Parameters.plist"
        with open(self.parameters, "wb") as file:
            plistlib.dump({"ServerIP": server.address, "ver_ios": "1.0"}, file)

    def run(self, scenario: str, kill_after: float | None, name: str) -> tuple[str, bool]:
        """Runs the app on the scenario; kills it after kill_after seconds (if it
        still runs). Returns what it printed and whether it was killed."""
        path = self.work / f"{name}.scenario"
        path.write_text(scenario, encoding="utf-8")
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        process = subprocess.Popen(
            [str(self.build / "src/inspector-app"), "--parameters", str(self.parameters),
             "--home", str(self.home), "--scenario", str(path)],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=environment,
            start_new_session=True)
        killed = False
        try:
            out, _ = process.communicate(timeout=kill_after if kill_after else 120)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            out, _ = process.communicate()
            killed = True
        text = out.decode("utf-8", "replace")
        if not killed and process.returncode != 0:
            raise ScenarioFailed(name, text)
        return text, killed

    def cases(self) -> list[dict]:
        path = self.documents / "waitingReport.plist"
        if not path.exists():
            return []
        with open(path, "rb") as file:
            return plistlib.load(file)

    def photo_file(self, photo_id: str) -> dict | None:
        path = self.documents / f"photo_{photo_id}.plist"
        if not path.exists():
            return None
        with open(path, "rb") as file:
            return plistlib.load(file)

    def store_check(self) -> list[str]:
        return self.store_command("check")

    def unnamed_photo_files(self) -> list[str]:
        """What `store tidy --dry-run` says of each photo file no case names."""
        return self.store_command("tidy", "--dry-run")[:-1]

    def store_command(self, *args: str) -> list[str]:
        result = subprocess.run(
            [str(self.build / "tools/inspector-cli/inspector-cli"), "store", *args,
             str(self.documents)], capture_output=True, text=True,
            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        return [line for line in result.stdout.splitlines() if line.strip()]


class ScenarioFailed(Exception):
    pass


class Scenarios:
    """The scenario texts, with QR pictures and photos made once in the work folder."""

    def __init__(self, work: Path):
        self.work = work
        self.photo = work / "photo.jpg"
        subprocess.run(["convert", "-size", "1600x1200", "gradient:steelblue-khaki",
                        "-quality", "90", str(self.photo)], check=True)
        self.templates = {path.stem: path.read_text(encoding="utf-8")
                          for path in HERE.glob("*.scenario")}

    def text(self, name: str, number: int = 0) -> tuple[str, str]:
        """The scenario and the key of the case it stores, if it stores one."""
        key = f"CRASH{number:04d},F{number:04d}"
        qr = self.work / f"code-{number}.png"
        if name == "store" and not qr.exists():
            subprocess.run(["qrencode", "-s", "8", "-o", str(qr), key], check=True)
        text = self.templates[name].format(qr=qr, photo=self.photo, id=INSPECTOR_ID,
                                           pakeno=key.split(",")[0])
        return text, key


class Harness:
    def __init__(self, build: Path, work: Path, kills: int, seed: int):
        self.random = random.Random(seed)
        self.kills_wanted = kills
        self.server = Server(build, work)
        self.device = Device(build, work, server=self.server)
        self.scenarios = Scenarios(work)
        self.acknowledged: set[str] = set()
        self.seen_sent: set[str] = set()
        self.edits = 0
        self.uploads_seen: collections.Counter = collections.Counter()
        self.figures = collections.Counter()
        self.faults: list[str] = []

    def run(self) -> int:
        self.device.run(self.scenarios.text("login")[0], None, "login")
        number = 0
        while self.figures["kills"] < self.kills_wanted:
            number += 1
            action = self.choose()
            scenario, key = self.scenarios.text(action, number)
            kill_after = self.random.uniform(0.3, 9.0)
            try:
                out, killed = self.device.run(scenario, kill_after, f"{number:04d}-{action}")
            except ScenarioFailed as failure:
                self.faults.append(f"run {number} ({action}) failed:\n{failure.args[1]}")
                break
            self.figures["kills" if killed else "finished runs"] += 1
            if SAVED in out:
                if action == "store":
                    self.acknowledged.add(key)
                    self.figures["acknowledged cases"] += 1
                else:
                    self.edits += 1
            if killed and action == "send" and "tap startSend" in out and "記錄傳送結果明細" not in out:
                self.figures["kills inside a sending run"] += 1
            self.check(number, action, killed)
        self.server.stop()
        return self.report()

    def choose(self) -> str:
        waiting = [case for case in self.device.cases() if case.get("state") == "0"]
        if len(waiting) < 2:
            return "store"
        return self.random.choice(["store", "store", "edit", "delete", "send", "send"])

    def check(self, number: int, action: str, killed: bool):
        where = f"after run {number} ({action}, {'killed' if killed else 'finished'})"
        try:
            cases = self.device.cases()
        except Exception as error:  # plistlib raises several kinds
            self.fault(where, f"waitingReport.plist does not parse: {error}")
            self.figures["unreadable files"] += 1
            return
        present = {case.get("pk"): case for case in cases}
        for case in cases:
            if case.get("state") == "1":
                self.seen_sent.add(case.get("pk"))
            self.check_photos(where, case)
        for lost in self.acknowledged - present.keys() - self.seen_sent:
            self.fault(where, f"the stored case {lost} is gone")
            self.figures["lost cases"] += 1
            self.acknowledged.discard(lost)
        time.sleep(UPLOAD_DELAY + 0.2)  # an upload the kill cut short may still be kept
        uploads = self.server.uploads()
        for key, case in present.items():
            if case.get("state") == "1" and uploads[key] == 0:
                self.fault(where, f"{key} is marked sent but the server never kept it")
                self.figures["false sent"] += 1
            if killed and case.get("state") == "0" and uploads[key] > self.uploads_seen[key]:
                self.figures["kills inside an upload"] += 1
        self.uploads_seen = uploads
        problems = [line for line in self.device.store_check()
                    if not re.fullmatch(r"no problems|\d+ problems?", line)]
        unnamed = [line for line in problems if "no case names this file" in line]
        for line in problems:
            if line not in unnamed:
                self.fault(where, f"store check: {line}")

    def check_photos(self, where: str, case: dict):
        key = case.get("pk")
        photos = case
        if "photoId" in case:
            try:
                photos = self.device.photo_file(case["photoId"])
            except Exception as error:
                self.fault(where, f"the photo file of {key} does not parse: {error}")
                self.figures["unreadable files"] += 1
                return
            if photos is None:
                self.fault(where, f"the photo file of {key} is missing")
                self.figures["cases without photos"] += 1
                return
        counts = (1 if isinstance(photos.get("topPhoto"), dict) else 0,
                  len(photos.get("photos") or []), len(photos.get("photos_1") or []))
        if counts != (1, SITE_PHOTOS, MAINTENANCE_PHOTOS):
            self.fault(where, f"{key} has {counts} photos (inspector, site, maintenance)")
            self.figures["cases without photos"] += 1

    def fault(self, where: str, what: str):
        self.faults.append(f"{where}: {what}")

    def report(self) -> int:
        uploads = self.server.uploads()
        duplicates = sum(count - 1 for count in uploads.values() if count > 1)
        print(f"kills: {self.figures['kills']}, finished runs: {self.figures['finished runs']}")
        print(f"acknowledged cases: {self.figures['acknowledged cases']}, "
              f"acknowledged edits: {self.edits}")
        print(f"lost cases: {self.figures['lost cases']}, "
              f"cases without their photos: {self.figures['cases without photos']}, "
              f"unreadable files: {self.figures['unreadable files']}, "
              f"false sent: {self.figures['false sent']}")
        print(f"uploads kept by the server: {sum(uploads.values())} of {len(uploads)} cases; "
              f"repeated uploads: {duplicates} (edits may account for up to {self.edits})")
        unnamed = self.device.unnamed_photo_files()
        print(f"photo files no case names: {len(unnamed)}")
        for line in unnamed:
            print(f"  {line}")
        print(f"kills inside a sending run: {self.figures['kills inside a sending run']}, "
              f"inside an upload (kept by the server, not yet marked sent): "
              f"{self.figures['kills inside an upload']}")
        for fault in self.faults:
            print("FAULT", fault)
        return 1 if self.faults else 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, type=Path)
    parser.add_argument("--kills", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", type=Path, help="work in this folder and keep it")
    args = parser.parse_args()
    work = args.keep or Path(tempfile.mkdtemp(prefix="crash-harness-"))
    if args.keep:
        shutil.rmtree(work, ignore_errors=True)
        work.mkdir(parents=True)
    try:
        return Harness(args.build.resolve(), work, args.kills, args.seed).run()
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
