"""q4k.exe, the console companion's Windows build, under Wine against the simulator on COM7:
identification and a backup byte for byte equal to the golden file, with and without --fast."""

import subprocess

from harness import expect_equal
from harness.processes import kill_wine_processes
from transfer_steps import GOLDEN_BACKUP

Q4K_TIMEOUT = 60  # seconds; a backup of the default image takes about 10


def run_q4k(case, *args):
    """Runs q4k.exe (beside the program under test) in the scenario's folder; (exit code, stdout, stderr)."""
    exe = case.session.exe.parent / "q4k.exe"
    try:
        done = subprocess.run(["wine", str(exe)] + list(args), env=case.session.env, cwd=case.artifacts,
                              capture_output=True, timeout=Q4K_TIMEOUT)
    finally:
        kill_wine_processes(case.session.prefix.path, exe.name)
    # Wine's console writes CR LF; the texts are compared line by line.
    return (done.returncode, done.stdout.decode("utf-8").replace("\r\n", "\n"),
            done.stderr.decode("utf-8", errors="replace"))


def test_q4k_exe_identifies_and_backs_up(case):
    case.simulator()
    code, out, err = run_q4k(case, "identify", "COM7")
    expect_equal(code, 0, "identify exit code (stderr %r)" % err)
    expect_equal(out.splitlines(), ["Software: Quendal 4 TETRA", "Version: V 2.14", "Option: TETRA-Option"],
                 "identify output")

    code, out, err = run_q4k(case, "backup", "COM7", "backup.q4k", "-q")
    expect_equal(code, 0, "backup exit code (stderr %r)" % err)
    expect_equal((case.artifacts / "backup.q4k").read_bytes(), GOLDEN_BACKUP.read_bytes(), "backup against golden")
    expect_equal([p.name for p in case.artifacts.glob("backup.q4k*")], ["backup.q4k"], "files left behind")

    code, out, err = run_q4k(case, "backup", "COM7", "fast.q4k", "-q", "--fast")
    expect_equal(code, 0, "backup --fast exit code (stderr %r)" % err)
    expect_equal((case.artifacts / "fast.q4k").read_bytes(), GOLDEN_BACKUP.read_bytes(), "backup --fast against golden")
