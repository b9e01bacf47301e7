"""Every label of the main window and of the editor shows its whole text in the dialog font."""

from harness import expect_equal
from harness.editor_window import open_editor
from harness.labels import clipped_labels
from editor_steps import load_golden
from transfer_steps import start_with_device


def test_every_label_shows_its_whole_text(case):
    _, app = start_with_device(case)
    expect_equal(clipped_labels(app.main), [], "clipped labels of the main window")
    editor = open_editor(app)
    expect_equal(clipped_labels(editor), [], "clipped labels of the empty editor")
    load_golden(case, app, editor)
    expect_equal(clipped_labels(editor), [], "clipped labels of the editor with a file")
