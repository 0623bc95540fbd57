#!/usr/bin/env python3
"""A small mutation check of the device link: applies each one-line fault of
scripts/link-mutations.txt alone to the sources, builds the link's tests into build/mutation and
runs them. A fault that no test catches "survives". Prints each result and the score; the sources
are restored after every fault, also when the run is interrupted.
Usage: scripts/mutation-check.py [mutations file]"""
import os, subprocess, sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.join(root, "build", "mutation")
listing = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "scripts", "link-mutations.txt")


def run(command, **options):
    return subprocess.run(command, cwd=root, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **options)


def build_and_test():
    if run(["cmake", "--build", build, "--target", "corvix_link_tests"]).returncode != 0:
        return "does not build", []
    tests = run(["ctest", "--test-dir", build, "-R", "^(DeviceWatch|UploadConversation|StatusSenders|ProtocolMessages|ProtocolBytes|"
                 "IncomingMessageDecoder|PortNames|Host|MapFiles|MapEditing)", "--parallel", "4",
                 "--stop-on-failure", "--timeout", "120"])
    if tests.returncode != 0:
        # A skipped test (one that needs what the machine lacks) is marked "***Skipped" too.
        failed = [l.strip() for l in tests.stdout.splitlines() if ("***" in l and "***Skipped" not in l) or "(Failed)" in l]
        return "caught", failed
    return "SURVIVED", []


def main():
    if not os.path.exists(os.path.join(build, "build.ninja")):
        run(["cmake", "-S", root, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release", "-DCORVIX_BUILD_BENCH=OFF"], check=True)
    baseline, failed = build_and_test()
    if baseline != "SURVIVED":
        baseline, failed = build_and_test()  # once more: the conversations' timeouts are real, and a loaded machine can miss one
    if baseline != "SURVIVED":
        sys.exit("the tests do not pass on the sources as they stand: " + "; ".join(failed))

    results = []
    for line in open(listing, encoding="utf-8"):
        if not line.strip() or line.startswith("#"):
            continue
        path, original, faulty = (part.strip() for part in line.split(" | "))
        source = os.path.join(root, path)
        text = open(source, encoding="utf-8").read()
        if text.count(original) != 1:
            results.append(("not found once", path, original))
            print(f"{'not found once':15} {path}: {original}", flush=True)
            continue
        try:
            open(source, "w", encoding="utf-8").write(text.replace(original, faulty))
            outcome, failed = build_and_test()
        finally:
            open(source, "w", encoding="utf-8").write(text)
        results.append((outcome, path, original))
        print(f"{outcome:15} {path}: {original}  ->  {faulty}", flush=True)
        if failed:
            print("                caught by " + failed[0], flush=True)

    run(["cmake", "--build", build, "--target", "corvix_link_tests"])
    tried = [r for r in results if r[0] in ("caught", "SURVIVED")]
    caught = sum(1 for r in tried if r[0] == "caught")
    print(f"\nscore: {caught} of {len(tried)} faults caught ({100 * caught // max(1, len(tried))} %)")
    sys.exit(0 if caught == len(tried) else 1)


main()
