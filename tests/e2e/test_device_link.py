"""Scenarios of the device link: the port list and its saved choice, the
identification once a second, the end command, and ports that hold no device
or a device that never stops sending."""

from harness import IDOK, SIM_PORT, comports, expect_equal, expect_true, holds_for, wait_until
from harness.main_window import DEVICE_INFO, END_COMMAND, EXIT, HELP, IDENTIFIED_POSITION, NO_DEVICE, PORT_LIST, STATUS
from link_steps import (
    SilentPort, device_path, expect_buttons, expect_identified, expect_identified_without_box, expect_no_device,
    expect_port_list, expect_progress, labelled, link_ports, queries, save_port, saved_port, sim_ident,
    wait_device_text, wait_saved_port,
)

SOFTWARE = "Quendal 4 TETRA"
VERSION = "V 2.14"
OPTION = "TETRA-Option"
# A leading STX, as the device sends it: bytes before the name are not shown.
IDENT = sim_ident(SOFTWARE, VERSION, OPTION, before="\\x02")
SHOWN = labelled(SOFTWARE, VERSION, OPTION)
HELP_CAPTION = "Hilfe"


def test_first_start_identifies_device_and_beenden_sends_end_command(case):
    sim = case.simulator(ident=IDENT)
    app = case.app()
    # The first tick comes a second after the window is shown.
    expect_identified(app, SHOWN, timeout=2.0)
    expect_port_list(app, ["COM7"], 0)
    wait_saved_port(case, device_path(SIM_PORT))

    # An unchanged reply is not evaluated again: a text put into 1003 from outside stays
    # there while the queries go on once a second.
    marker = "von außen gesetzt"
    app.main.set_text(marker, DEVICE_INFO)
    before = len(queries(sim))

    def marker_kept():
        expect_equal(app.main.text(DEVICE_INFO), marker, "device information after an unchanged reply")
        return len(queries(sim)) >= before + 3

    wait_until(marker_kept, 4.5, what="three more queries")
    expect_equal(app.main.text(DEVICE_INFO), marker, "device information after an unchanged reply")
    times = queries(sim)[before - 1:]
    gaps = [later - earlier for earlier, later in zip(times, times[1:])]
    expect_true(all(700 <= gap <= 1400 for gap in gaps), "about a second between queries (ms: %r)" % gaps)

    app.main.click(EXIT)
    app.wait_exit(5)
    wait_until(lambda: sim.commands()[-1:] == [END_COMMAND], 2.0, what="the end command last in the log")


def test_saved_port_is_taken_only_when_it_matches_exactly(case):
    sim = case.simulator(ident=IDENT)
    with SilentPort() as spare:
        link_ports(case, spare.path, ["com3"])
        # (saved, selected item, saved afterwards): a missing port and a lower-case path both fall back to item 0.
        for saved, selection, after in (
            ("\\\\.\\COM9", 0, "\\\\.\\COM3"),
            ("\\\\.\\com7", 0, "\\\\.\\COM3"),
            ("\\\\.\\COM7", 1, "\\\\.\\COM7"),
        ):
            save_port(case, saved)
            asked = spare.queries()
            app = case.app()
            expect_port_list(app, ["COM3", "COM7"], selection)
            wait_saved_port(case, after)
            if selection == 0:
                wait_until(lambda: spare.queries() > asked, 2.0, what="a query on COM3 with %s saved" % saved)
            else:
                expect_identified(app, SHOWN, timeout=2.0)
            # Esc ends the program without the end command.
            app.main.key("esc")
            app.wait_exit(5)


def test_silent_device_shows_no_device_and_answering_again_identifies(case):
    sim = case.simulator(ident=IDENT)
    app = case.app()
    expect_identified(app, SHOWN)
    # Text in the status line, so that its emptying can be seen.
    app.main.set_text("Statuszeile", STATUS)
    sim.control("fault silent")
    expect_no_device(app)
    sim.control("clear-faults")
    expect_identified(app, SHOWN)


def test_box_plugged_in_after_the_start_and_again_is_found_by_itself(case):
    save_port(case, device_path(SIM_PORT))
    app = case.app()
    expect_port_list(app, [], -1)
    # No port at all: the program looks for one once a second, without a word.
    holds_for(lambda: app.message_box() is None, 2.0, what="no message box while no port exists")
    sim = case.simulator(ident=IDENT)
    expect_identified_without_box(app, SHOWN, 3.0)
    # The box pulled: the program closes the port that went away and looks for it again.
    sim.stop()
    expect_no_device(app)
    holds_for(lambda: app.message_box() is None, 2.0, what="no message box while the port is missing")
    # Plugged in again: the same COM port now leads to a new line.
    case.simulator(ident=IDENT)
    expect_identified_without_box(app, SHOWN, 3.0)
    expect_port_list(app, ["COM7"], 0)
    expect_equal(saved_port(case), device_path(SIM_PORT), "saved port")


def test_reply_short_of_two_crs_leaves_buttons_and_progress(case):
    sim = case.simulator(ident=sim_ident(SOFTWARE, before="\\x02"))
    app = case.app()
    wait_device_text(app, "Software: " + SOFTWARE, 2.0)
    expect_buttons(app, False)
    expect_progress(app, 0)
    # Once a device is identified, a reply with one CR changes the text but not the buttons or the bar.
    sim.control("ident " + IDENT)
    expect_identified(app, SHOWN)
    sim.control("ident " + sim_ident(SOFTWARE, "V 2.15"))
    wait_device_text(app, "Software: %s\rVersion:\t    V 2.15" % SOFTWARE)
    expect_buttons(app, True)
    expect_progress(app, IDENTIFIED_POSITION)


def test_port_list_drop_down_pauses_queries_and_close_up_resumes_them(case):
    sim = case.simulator(ident=IDENT)
    app = case.app()
    expect_identified(app, SHOWN, timeout=2.0)
    app.main.drop_down(PORT_LIST)
    wait_until(lambda: app.main.combo(PORT_LIST).dropped, 2.0, what="the port list dropped down")
    # Rebuilt on opening: the port just closed is free again and listed.
    expect_equal(app.main.combo(PORT_LIST).items, ["COM7"], "port list while open")
    sent = len(queries(sim))
    holds_for(lambda: len(queries(sim)) == sent, 2.5, what="no query while the list is open")
    app.main.drop_down(PORT_LIST, show=False)
    wait_until(lambda: len(queries(sim)) > sent, 2.0, what="a query after the close-up")
    expect_identified(app, SHOWN)


def test_port_list_closed_without_pick_takes_item_0(case):
    sim = case.simulator(ident=IDENT)
    with SilentPort() as spare:
        link_ports(case, spare.path, ["com3"])
        save_port(case, device_path(SIM_PORT))
        app = case.app()
        expect_port_list(app, ["COM3", "COM7"], 1)
        expect_identified(app, SHOWN, timeout=2.0)
        app.main.drop_down(PORT_LIST)
        wait_until(lambda: app.main.combo(PORT_LIST).dropped, 2.0, what="the port list dropped down")
        app.main.drop_down(PORT_LIST, show=False)
        wait_until(lambda: not app.main.combo(PORT_LIST).dropped, 2.0, what="the port list closed")
        # No item was picked: item 0 becomes the current port, is saved and is queried from now on.
        expect_port_list(app, ["COM3", "COM7"], 0)
        wait_saved_port(case, device_path("com3"))
        wait_until(lambda: spare.queries() > 0, 2.0, what="a query on COM3")
        expect_no_device(app)


def test_more_than_ten_ports_are_all_listed(case):
    ports = ["com%d" % n for n in range(3, 15)]
    case.simulator(port=ports[-1], ident=IDENT)
    with SilentPort() as spare:
        link_ports(case, spare.path, ports[:-1])
        save_port(case, device_path(ports[-1]))
        app = case.app()
        expect_port_list(app, [port.upper() for port in ports], len(ports) - 1)
        # The twelfth port is the current one: the device on it is identified.
        expect_identified(app, SHOWN, timeout=2.0)
        wait_saved_port(case, device_path(ports[-1]))
        expect_equal(spare.queries(), 0, "queries on the other ports")


def test_beenden_without_any_port_reports_no_free_port_and_ends(case):
    app = case.app()
    expect_port_list(app, [], -1)
    expect_equal(saved_port(case), None, "saved port")
    # With no port the timer only looks for one, without a word, so no message comes by itself.
    holds_for(lambda: app.message_box() is None, 1.2, what="no message box before Beenden")
    app.main.click(EXIT)
    box = app.wait_message_box(2.0)
    expect_equal((box.caption, box.message, box.icon, box.buttons),
                 ("Fehler", "Kein freier Port vorhanden!", "warning", ["OK"]), "message box")
    box.press("OK")
    app.wait_exit(5)


def test_babbling_port_leaves_window_responsive(case):
    sim = case.simulator(fault="babble")
    app = case.app()
    # Two queries sent into the stream: the ticks have been reading it for a while.
    wait_until(lambda: len(queries(sim)) >= 2, 5.0, what="two queries on the babbling port")
    app.main.click(HELP)
    help_window = app.wait_window(HELP_CAPTION, timeout=2.0)
    help_window.click(IDOK)
    app.wait_no_window(HELP_CAPTION)
    expect_equal(app.main.text(DEVICE_INFO), NO_DEVICE, "device information")
    expect_buttons(app, False)


def test_failure_boxes_of_the_port_never_stack(case):
    case.simulator(ident=IDENT)
    app = case.app()
    expect_identified(app, SHOWN, timeout=2.0)
    # The port is closed while the list is down; meanwhile it vanishes, so every opening fails.
    app.main.drop_down(PORT_LIST)
    wait_until(lambda: app.main.combo(PORT_LIST).dropped, 2.0, what="the port list dropped down")
    comports.neutralise(case.session.prefix.dosdevices, case.session.no_port_dir)
    app.main.drop_down(PORT_LIST, show=False)
    # "Beenden" opens the port too; whichever box comes first, the ticks behind it add none.
    app.main.click(EXIT)
    box = app.wait_message_box(2.0)
    expect_equal((box.caption, box.message), ("Fehler", "Kein freier Port vorhanden!"), "message box")

    def boxes():
        return [w for w in app.windows() if w["visible"] and w["class"] == "#32770" and w["text"] == "Fehler"]

    holds_for(lambda: len(boxes()) == 1, 2.5, what="one failure box while the timer ticks")
    box.press("OK")
    app.wait_exit(5)
