#!/usr/bin/python3
"""The rollover pages in a real browser: headless Chromium opens every page the program wrote for a
caption list of awkward names, script pages and script-free pages, moves the mouse over each button
and away again (and, on the script-free pages, the keyboard's focus with Tab), and checks that each
button links to its row's own link where it has one and to its caption's page otherwise, that the
images load at the size the page states, swap to type 2 and back, that every preload was made, and
that the browser's console shows no error; the first pages again at twice the device pixel ratio,
where the script page still swaps and the script-free page loads the twice-size images. Script-free
pages with pressed images show each button's pressed image while it is pressed and held, and type 1
again once the mouse has left it. The script-free pages also pass HTML Tidy without a message."""
import json
import pathlib
import subprocess
import sys
import tempfile
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

failures = []
# The script-free pages are written with twice-size images too.
SCALED = ("2x",)


def check(condition, what):
    if not condition:
        failures.append(what)


def actions(driver):
    """Mouse and keyboard actions that move at once: the browser sees the same events as after a slow
    move, and every check after one waits for its own condition."""
    return ActionChains(driver, duration=0)


def settled(read, wanted, timeout=3.0):
    """What read() gives once it is wanted (a value, or a test of the value), or what it gives at the
    timeout: the page's reaction to an event is waited for, never assumed to have happened."""
    good = wanted if callable(wanted) else (lambda value: value == wanted)
    deadline = time.monotonic() + timeout
    value = read()
    while not good(value) and time.monotonic() < deadline:
        time.sleep(0.005)
        value = read()
    return value


def same_file(url, path):
    return urllib.parse.unquote(url) == urllib.parse.unquote(pathlib.Path(path).as_uri())


def leads_to(href, page, folder, row):
    """Whether a button's href leads where its row says: its own link, resolved against the page it
    is on, or else its caption's page."""
    if row["link"]:
        # The browser writes the scheme in lower case and quotes characters of a query.
        def plain(url):
            return urllib.parse.urlunsplit(urllib.parse.urlsplit(urllib.parse.unquote(url)))
        return plain(href) == plain(urllib.parse.urljoin(pathlib.Path(page).as_uri(), row["link"]))
    return same_file(href, folder + row["page"])


def scaled_name(name):
    """The twice-size copy of an image: "@2x" before the last full stop, or at the end."""
    dot = name.rfind(".")
    return name + "@2x" if dot < 0 else name[:dot] + "@2x" + name[dot:]


def write_pages(writer, work, *choices):
    folder = work + "/" + ("-".join(choices) or "classic")
    pathlib.Path(folder).mkdir()
    made = subprocess.run([writer, folder, *choices], check=True, capture_output=True, text=True)
    return json.loads(made.stdout)


def start_browser(work, scale):
    options = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=%s/profile-%d" % (work, scale), "--window-size=1600,900",
                 "--force-device-scale-factor=%d" % scale):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def console_errors(driver, page):
    for entry in driver.get_log("browser"):
        if entry["level"] == "SEVERE":
            failures.append(page + ": console: " + entry["message"])


# The state of one image, read in the page: whether it loaded, its natural and stated size, its alt
# text, srcset, src and the file it shows.
IMAGE_STATE = """function imageState(i) {
    return {complete: i.complete, naturalWidth: i.naturalWidth, naturalHeight: i.naturalHeight,
            width: i.getAttribute('width'), height: i.getAttribute('height'), alt: i.alt,
            srcset: i.srcset, src: i.src, currentSrc: i.currentSrc, className: i.className};
}"""

# Which of a link's images shows: "out", "over", "down", or what is wrong.
SHOWN = """function shown(link) {
    var visible = Array.from(link.querySelectorAll('img')).filter(function(i) {
        return getComputedStyle(i).display != 'none' && i.getBoundingClientRect().width > 0; })
        .map(function(i) { return i.className; });
    return visible.length == 1 ? visible[0] : JSON.stringify(visible);
}"""


def check_image(state, what, caption):
    check(state is not None, what + " is there")
    if state is None:
        return
    check(state["complete"] and state["naturalWidth"] > 0, what + " loads")
    check(str(state["naturalWidth"]) == state["width"] and str(state["naturalHeight"]) == state["height"],
          what + " has the size the page states: " + repr(state))
    check(state["alt"] == caption, what + " has the alt text " + repr(caption) + ": " + repr(state["alt"]))


def check_script_page(driver, written, page):
    """The classic page: each image swaps its src to type 2 under the mouse and back."""
    folder = written["folder"]
    rows = written["rows"]
    driver.get(pathlib.Path(page).as_uri())
    # Everything that does not need the mouse, read in one go.
    state = driver.execute_script(IMAGE_STATE + """
        return {images: Array.from(document.images).map(function(i) {
                    var s = imageState(i); s.link = i.parentNode.href; return s; })};""")
    images = driver.find_elements(By.CSS_SELECTOR, "img")
    away = driver.find_element(By.TAG_NAME, "p")
    check(len(images) == len(rows) and len(state["images"]) == len(rows), page + ": one image per caption")
    for index, (image, before, expected) in enumerate(zip(images, state["images"], rows)):
        what = page + ": button " + expected["caption"]
        check_image(before, what, expected["caption"])
        check(before["srcset"] == "", what + " names no twice-size image")
        check(same_file(before["src"], folder + expected["up"]), what + " shows type 1: " + before["src"])
        check(leads_to(before["link"], page, folder, expected), what + " links to its own link or its page: " +
              before["link"])

        def src():
            return driver.execute_script("return document.images[arguments[0]].src;", index)
        actions(driver).move_to_element(image).perform()
        over = settled(src, lambda now: same_file(now, folder + expected["down"]))
        check(same_file(over, folder + expected["down"]), what + " swaps to type 2: " + over)
        actions(driver).move_to_element(away).perform()
        back = settled(src, lambda now: same_file(now, folder + expected["up"]))
        check(same_file(back, folder + expected["up"]), what + " returns to type 1: " + back)
    # The preloads, waited for until each has loaded (or the wait runs out).
    preloads = settled(lambda: driver.execute_script(
        "return (document.My_Form_p || []).map(function(i){ return [i.src, i.complete, i.naturalWidth]; });"),
        lambda made: len(made) == len(rows) and all(complete for _, complete, _ in made))
    check(len(preloads) == len(rows), page + ": every type 2 image is preloaded")
    for (src, complete, width), expected in zip(preloads, rows):
        check(same_file(src, folder + expected["down"]) and complete and width > 0,
              page + ": preload of " + expected["down"] + ": " + src)
    console_errors(driver, page)


def check_css_page(driver, written, page, scale, current=None, nav="nav", away_selector="p"):
    """The script-free page: no script; under the mouse and under the keyboard's focus each link shows
    its type 2 image, and leaving it shows type 1 again; the link to the page itself (row `current`)
    is marked as the current page and shows its type 2 image alone, without a swap; at twice the
    density the twice-size files are the ones loaded. `nav` selects the buttons' <nav>."""
    folder = written["folder"]
    rows = written["rows"]
    driver.get(pathlib.Path(page).as_uri())
    state = driver.execute_script(IMAGE_STATE + SHOWN + """
        return {scripts: document.scripts.length, charset: document.characterSet,
                links: Array.from(document.querySelectorAll(arguments[0] + ' li > a')).map(function(a) {
                    var one = function(c) { var i = a.querySelector('img.' + c); return i ? imageState(i) : null; };
                    return {href: a.href, shown: shown(a), current: a.getAttribute('aria-current'),
                            out: one('out'), over: one('over'), now: one('current')}; })};""", nav)
    check(state["scripts"] == 0, page + ": no script")
    check(state["charset"] == "UTF-8", page + ": read as UTF-8")
    links = driver.find_elements(By.CSS_SELECTOR, nav + " li > a")
    check(len(links) == len(rows) and len(state["links"]) == len(rows), page + ": one link per caption")
    away = driver.find_element(By.CSS_SELECTOR, away_selector)

    def shown(index):
        return driver.execute_script(
            SHOWN + "return shown(document.querySelectorAll(arguments[1] + ' li > a')[arguments[0]]);", index, nav)

    def wanted(name):
        return scaled_name(name) if written["scaled"] and scale == 2 else name
    for index, (link, before, expected) in enumerate(zip(links, state["links"], rows)):
        what = page + ": button " + expected["caption"]
        check(leads_to(before["href"], page, folder, expected), what + " links to its own link or its page: " +
              before["href"])
        if index == current:
            check(before["current"] == "page", what + " is marked as the current page")
            check(before["out"] is None and before["over"] is None, what + " holds its type 2 image alone")
            check_image(before["now"], what + " current", expected["drawn"])
            if before["now"] is not None:
                check(same_file(before["now"]["currentSrc"], folder + wanted(expected["down"])),
                      what + " shows type 2: " + before["now"]["currentSrc"])
            actions(driver).move_to_element(link).perform()
            check(settled(lambda: shown(index), "current") == "current", what + " stays as it is under the mouse")
            actions(driver).move_to_element(away).perform()
            continue
        check(before["current"] is None, what + " is not marked as the current page")
        for cls, name, alt in (("out", expected["up"], expected["drawn"]), ("over", expected["down"], "")):
            image = before[cls]
            check_image(image, what + " " + cls, alt)
            if image is not None:
                check(same_file(image["currentSrc"], folder + wanted(name)),
                      what + " " + cls + " loads " + wanted(name) + ": " + image["currentSrc"])
        check(before["shown"] == "out", what + " shows type 1")
        actions(driver).move_to_element(link).perform()
        check(settled(lambda: shown(index), "over") == "over", what + " shows type 2 under the mouse")
        actions(driver).move_to_element(away).perform()
        check(settled(lambda: shown(index), "out") == "out", what + " shows type 1 again when the mouse leaves")
    # The keyboard: Tab from the top of the page moves the focus from link to link in order; the
    # focused link shows type 2 and the one before it type 1 again.
    driver.execute_script("document.activeElement && document.activeElement.blur(); window.scrollTo(0, 0);")

    def focus(index):
        return driver.execute_script(SHOWN + """
            var links = document.querySelectorAll(arguments[1] + ' li > a'), i = arguments[0];
            return [document.activeElement === links[i], shown(links[i]), i > 0 ? shown(links[i - 1]) : 'out'];""",
                                     index, nav)

    def resting(index):
        return "current" if index == current else "out"
    for index, expected in enumerate(rows[:len(links)]):
        what = page + ": button " + expected["caption"]
        actions(driver).send_keys(Keys.TAB).perform()
        focused = "current" if index == current else "over"
        before_now = resting(index - 1) if index > 0 else "out"
        active, now, before = settled(lambda: focus(index), [True, focused, before_now])
        check(active, what + " takes the focus with Tab")
        check(now == focused, what + " shows " + focused + " under the focus: " + now)
        check(before == before_now, what + ": the button before shows " + before_now + " again: " + before)
    driver.execute_script("document.activeElement.blur();")
    if links:
        last = len(links) - 1
        check(settled(lambda: shown(last), resting(last)) == resting(last),
              page + ": the last button shows its resting image once it loses the focus")
    console_errors(driver, page)


# A site's own style sheet of the rules that break buttons which rely on the browser's defaults.
SITE_CSS = """a { display: inline; padding: 9px; }
img { border: 4px solid red; max-width: 10px; }
ul { list-style: disc; }
li { float: right; margin: 7px; }
"""


def fake_site(written):
    """A page of a small site beside the pages: its own style sheet, the snippet's style sheet linked
    after it, and navigation.html pasted into its body, with a list of its own."""
    folder = written["folder"]
    snippet = pathlib.Path(folder + "navigation.html").read_text(encoding="utf-8")
    pathlib.Path(folder + "site.css").write_text(SITE_CSS, encoding="utf-8")
    page = folder + "site-page.html"
    pathlib.Path(page).write_text(
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>A site</title>\n"
        "<link rel=\"stylesheet\" href=\"site.css\">\n<link rel=\"stylesheet\" href=\"navigation.css\">\n"
        "</head>\n<body>\n<header>\n" + snippet + "</header>\n<main><ul id=\"own\"><li>A list of the site's "
        "own</li></ul></main>\n<footer>The site's footer</footer>\n</body>\n</html>\n", encoding="utf-8")
    return page


def check_whole(driver, written, page, nav):
    """Every button of the snippet shows whole on the site's page: at the size its file has, without
    the site's border or padding; and the site's own list keeps the site's rules."""
    driver.get(pathlib.Path(page).as_uri())
    boxes = driver.execute_script("""
        return Array.from(document.querySelectorAll(arguments[0] + ' img')).filter(function(i) {
                return getComputedStyle(i).display != 'none'; }).map(function(i) {
            var r = i.getBoundingClientRect(), a = i.parentNode.getBoundingClientRect();
            return {name: i.getAttribute('src'), width: r.width, height: r.height, stated: i.getAttribute('width'),
                    statedHeight: i.getAttribute('height'), link: [a.width, a.height],
                    border: getComputedStyle(i).borderTopWidth}; });""", nav)
    check(len(boxes) == len(written["rows"]), page + ": one image shows per button: " + str(len(boxes)))
    for box in boxes:
        what = page + ": " + box["name"]
        check(str(int(box["width"])) == box["stated"] and str(int(box["height"])) == box["statedHeight"],
              what + " shows whole at its size: " + repr(box))
        check(box["link"] == [box["width"], box["height"]], what + ": its link is the image's size: " + repr(box))
        check(box["border"] == "0px", what + " has no border: " + box["border"])
    own = driver.execute_script("""var li = document.querySelector('#own li');
        return [getComputedStyle(li).cssFloat, getComputedStyle(li.parentNode).listStyleType];""")
    check(own == ["right", "disc"], page + ": the site's own list keeps its rules: " + repr(own))


def check_pressed_page(driver, written, page, scale, current=None, nav="nav", away_selector="p"):
    """The script-free page with pressed images: each link holds its pressed image, with an empty alt,
    at the size the page states (its twice-size file at twice the density); pressing and holding the
    mouse button on the link shows it, and letting go away from the link shows type 1 again without
    following the link. The link to the page itself (row `current`) holds its type 2 image alone."""
    folder = written["folder"]
    rows = written["rows"]
    driver.get(pathlib.Path(page).as_uri())
    downs = driver.execute_script(IMAGE_STATE + """
        return Array.from(document.querySelectorAll(arguments[0] + ' li > a')).map(function(a) {
            var d = a.querySelector('img.down'); return d ? imageState(d) : null; });""", nav)
    check(len(downs) == len(rows), page + ": one link per caption")
    for index, (down, expected) in enumerate(zip(downs, rows)):
        what = page + ": button " + expected["caption"]
        if index == current:
            check(down is None, what + ", the current page's, holds no pressed image")
            continue
        check(down is not None, what + " holds its pressed image")
        if down is None:
            continue
        check_image(down, what + " pressed", "")
        wanted = scaled_name(expected["pressed"]) if written["scaled"] and scale == 2 else expected["pressed"]
        check(same_file(down["currentSrc"], folder + wanted), what + " pressed loads " + wanted + ": " +
              down["currentSrc"])

    def shown(index):
        return driver.execute_script(
            SHOWN + "return shown(document.querySelectorAll(arguments[1] + ' li > a')[arguments[0]]);", index, nav)
    for index, expected in enumerate(rows[:len(downs)]):
        if index == current:
            continue
        what = page + ": button " + expected["caption"]
        if not same_file(driver.current_url, page):
            driver.get(pathlib.Path(page).as_uri())
        link = driver.find_elements(By.CSS_SELECTOR, nav + " li > a")[index]
        away = driver.find_element(By.CSS_SELECTOR, away_selector)
        actions(driver).move_to_element(link).click_and_hold().perform()
        check(settled(lambda: shown(index), "down") == "down", what + " shows its pressed image while held")
        actions(driver).move_to_element(away).release().perform()
        check(same_file(driver.current_url, page), what + ": letting go elsewhere follows no link")
        if same_file(driver.current_url, page):
            check(settled(lambda: shown(index), "out") == "out", what + " shows type 1 once let go elsewhere")
    console_errors(driver, page)


def check_tidy(page):
    """HTML Tidy finds nothing to say, but that it does not know aria-current (a state of WAI-ARIA 1.1
    that Debian's Tidy 5.6 does not know)."""
    result = subprocess.run(["tidy", "-q", "-e", page], capture_output=True, text=True)
    said = [line for line in result.stderr.splitlines()
            if line.strip() and not line.endswith('Warning: <a> proprietary attribute "aria-current"')]
    check(result.returncode in (0, 1) and not said, page + ": tidy -q -e: " + " / ".join(said))


def check_clicks(driver, written):
    # A caption such as "javascript:alert(1)" names a page beside the others: clicking its button
    # opens that page and runs no script.
    folder = written["folder"]
    rows = written["rows"]
    for index, row in enumerate(rows):
        if ":" not in row["caption"]:
            continue
        driver.get(pathlib.Path(folder + rows[0]["page"]).as_uri())
        driver.find_elements(By.CSS_SELECTOR, "a")[index].click()
        try:
            text = driver.switch_to.alert.text
            driver.switch_to.alert.dismiss()
            failures.append(row["caption"] + ": clicking ran a script: " + text)
        except NoAlertPresentException:
            pass
        check(same_file(driver.current_url, folder + row["page"]),
              row["caption"] + ": clicking opens its page: " + driver.current_url)


def main():
    writer = sys.argv[1]
    checked = 0
    with tempfile.TemporaryDirectory() as work:
        classic = write_pages(writer, work)
        css = write_pages(writer, work, "css", *SCALED)
        pressed = write_pages(writer, work, "css", "pressed", "snippet", *SCALED)
        site = fake_site(pressed)
        for written in (classic, css):
            check(same_file(pathlib.Path(written["opened"]).as_uri(),
                            written["folder"] + written["rows"][0]["page"]),
                  "the first page written was opened: " + written["opened"])
        for row in css["rows"]:
            check_tidy(css["folder"] + row["page"])
            check_tidy(pressed["folder"] + row["page"])
        check_tidy(site)
        for scale in (1, 2):
            driver = start_browser(work, scale)
            try:
                # Every page once at the usual density; the first page again at twice the density.
                rows = classic["rows"] if scale == 1 else classic["rows"][:1]
                for row in rows:
                    check_script_page(driver, classic, classic["folder"] + row["page"])
                    checked += 1
                # Each caption's page marks its own button.
                rows = css["rows"] if scale == 1 else css["rows"][:1]
                for index, row in enumerate(rows):
                    check_css_page(driver, css, css["folder"] + row["page"], scale, current=index)
                    checked += 1
                # Pressing and holding, on the first pages with pressed images.
                for index, row in enumerate(pressed["rows"][:2 if scale == 1 else 1]):
                    check_pressed_page(driver, pressed, pressed["folder"] + row["page"], scale, current=index)
                    checked += 1
                # The snippet, with pressed images, pasted into a page of a site whose own rules would
                # break plain buttons.
                check_css_page(driver, pressed, site, scale, nav="nav.plumeric-nav", away_selector="footer")
                check_whole(driver, pressed, site, "nav.plumeric-nav")
                check_pressed_page(driver, pressed, site, scale, nav="nav.plumeric-nav", away_selector="footer")
                checked += 1
                if scale == 1:
                    check_clicks(driver, classic)
                    check_clicks(driver, css)
            finally:
                driver.quit()
    for failure in failures:
        print("FAILED:", failure)
    print("browser pages: %d pages of %d buttons checked" % (checked, len(classic["rows"])))
    print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
