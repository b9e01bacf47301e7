"""The bash completion that the build writes from q4k's tables, loaded into bash as a user loads it."""

import subprocess

from support import Q4K, Q4kCase

COMPLETION = Q4K.parent / "q4k.bash-completion"


class CompletionTest(Q4kCase):
    def complete(self, *words):
        """What bash offers after `q4k WORDS<TAB>`."""
        line = 'source "%s"; COMP_WORDS=(q4k %s); COMP_CWORD=%d; _q4k; echo "${COMPREPLY[*]}"' % (
            COMPLETION, " ".join("'%s'" % w for w in words), len(words))
        return subprocess.run(["bash", "-c", line], capture_output=True, text=True, check=True).stdout.split()

    def test_a_command_and_its_options_complete(self):
        self.assertEqual(self.complete("ro"), ["rollout"])
        self.assertEqual(self.complete("rollout", "--"),
                         ["--fast", "--archive", "--loop", "--dry-run", "--quiet", "--help", "--version"])
        self.assertEqual(COMPLETION.read_text(), self.q4k("completion").stdout)
