#!/usr/bin/python3
"""The rollover pages in a real browser: headless Chromium opens every page the program wrote for a
caption list of awkward names, script pages and script-free pages, moves the mouse over each button
and away again (and, on the script-free pages, the keyboard's focus with Tab), and checks that the
images load at the size the page states, swap to type 2 and back, that every preload was made, and
that the browser's console shows no error; the first pages again at twice the device pixel ratio,
where the script page still swaps and the script-free page loads the twice-size images. The
script-free pages also pass HTML Tidy without a message."""
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


def check_script_page(driver, written, page):
    """The classic page: each image swaps its src to type 2 under the mouse and back."""
    folder = written["folder"]
    rows = written["rows"]
    driver.get(pathlib.Path(page).as_uri())
    images = driver.find_elements(By.CSS_SELECTOR, "img")
    check(len(images) == len(rows), page + ": one image per caption")
    for image, expected in zip(images, rows):
        what = page + ": button " + expected["caption"]
        state = driver.execute_script(
            "var i=arguments[0]; return [i.complete, i.naturalWidth, i.naturalHeight,"
            " i.getAttribute('width'), i.getAttribute('height'), i.alt, i.srcset];", image)
        check(state[0] and state[1] > 0, what + " loads")
        check(str(state[1]) == state[3] and str(state[2]) == state[4],
              what + " has the size the page states: " + repr(state))
        check(state[5] == expected["caption"], what + " has its caption as alt: " + repr(state[5]))
        check(state[6] == "", what + " names no twice-size image")
        up = image.get_attribute("src")
        check(same_file(up, folder + expected["up"]), what + " shows type 1: " + up)
        actions(driver).move_to_element(image).perform()
        over = settled(lambda: image.get_attribute("src"), lambda src: same_file(src, folder + expected["down"]))
        check(same_file(over, folder + expected["down"]), what + " swaps to type 2: " + over)
        actions(driver).move_to_element(driver.find_element(By.TAG_NAME, "p")).perform()
        back = settled(lambda: image.get_attribute("src"), lambda src: same_file(src, folder + expected["up"]))
        check(same_file(back, folder + expected["up"]), what + " returns to type 1: " + back)
        link = driver.execute_script("return arguments[0].parentNode.href;", image)
        check(same_file(link, folder + expected["page"]), what + " links to its page: " + link)
    preloads = driver.execute_script(
        "return (document.My_Form_p || []).map(function(i){"
        " return [i.src, i.complete, i.naturalWidth]; });")
    check(len(preloads) == len(rows), page + ": every type 2 image is preloaded")
    for (src, complete, width), expected in zip(preloads, rows):
        check(same_file(src, folder + expected["down"]) and complete and width > 0,
              page + ": preload of " + expected["down"] + ": " + src)
    console_errors(driver, page)


def shown(driver, link):
    """Which of a link's two images shows: "out", "over", or what is wrong."""
    visible = driver.execute_script(
        "return Array.from(arguments[0].querySelectorAll('img')).filter(function(i){"
        " return getComputedStyle(i).display != 'none' && i.getBoundingClientRect().width > 0; })"
        ".map(function(i){ return i.className; });", link)
    return visible[0] if len(visible) == 1 else repr(visible)


def check_css_page(driver, written, page, scale):
    """The script-free page: no script; under the mouse and under the keyboard's focus each link shows
    its type 2 image, and leaving it shows type 1 again; at twice the density the twice-size files are
    the ones loaded."""
    folder = written["folder"]
    rows = written["rows"]
    driver.get(pathlib.Path(page).as_uri())
    check(driver.execute_script("return document.scripts.length;") == 0, page + ": no script")
    check(driver.execute_script("return document.characterSet;") == "UTF-8", page + ": read as UTF-8")
    links = driver.find_elements(By.CSS_SELECTOR, "nav li > a")
    check(len(links) == len(rows), page + ": one link per caption")
    away = driver.find_element(By.TAG_NAME, "p")
    for link, expected in zip(links, rows):
        what = page + ": button " + expected["caption"]
        check(same_file(link.get_attribute("href"), folder + expected["page"]), what + " links to its page")
        for cls, name in (("out", expected["up"]), ("over", expected["down"])):
            image = link.find_element(By.CSS_SELECTOR, "img." + cls)
            state = driver.execute_script(
                "var i=arguments[0]; return [i.complete, i.naturalWidth, i.naturalHeight,"
                " i.getAttribute('width'), i.getAttribute('height'), i.alt, i.currentSrc];", image)
            wanted = scaled_name(name) if written["scaled"] and scale == 2 else name
            check(state[0] and state[1] > 0, what + " " + cls + " loads")
            check(same_file(state[6], folder + wanted), what + " " + cls + " loads " + wanted + ": " + state[6])
            check(str(state[1]) == state[3] and str(state[2]) == state[4],
                  what + " " + cls + " has the size the page states: " + repr(state))
            check(state[5] == expected["caption"], what + " has its caption as alt: " + repr(state[5]))
        check(shown(driver, link) == "out", what + " shows type 1")
        actions(driver).move_to_element(link).perform()
        check(settled(lambda: shown(driver, link), "over") == "over", what + " shows type 2 under the mouse")
        actions(driver).move_to_element(away).perform()
        check(settled(lambda: shown(driver, link), "out") == "out", what + " shows type 1 again when the mouse leaves")
    # The keyboard: Tab from the top of the page moves the focus from link to link in order.
    driver.execute_script("document.activeElement && document.activeElement.blur(); window.scrollTo(0, 0);")
    previous = None
    for link, expected in zip(links, rows):
        what = page + ": button " + expected["caption"]
        actions(driver).send_keys(Keys.TAB).perform()
        check(settled(lambda: driver.execute_script("return document.activeElement === arguments[0];", link), True),
              what + " takes the focus with Tab")
        check(settled(lambda: shown(driver, link), "over") == "over", what + " shows type 2 under the focus")
        if previous is not None:
            check(settled(lambda: shown(driver, previous), "out") == "out",
                  what + ": the button before shows type 1 again")
        previous = link
    driver.execute_script("document.activeElement.blur();")
    if previous is not None:
        check(settled(lambda: shown(driver, previous), "out") == "out",
              page + ": the last button shows type 1 once it loses the focus")
    console_errors(driver, page)


def check_tidy(page):
    result = subprocess.run(["tidy", "-q", "-e", page], capture_output=True, text=True)
    check(result.returncode == 0, page + ": tidy -q -e: " + result.stderr.strip())


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
        for written in (classic, css):
            check(same_file(pathlib.Path(written["opened"]).as_uri(),
                            written["folder"] + written["rows"][0]["page"]),
                  "the first page written was opened: " + written["opened"])
        for row in css["rows"]:
            check_tidy(css["folder"] + row["page"])
        for scale in (1, 2):
            driver = start_browser(work, scale)
            try:
                # Every page once at the usual density; the first page again at twice the density.
                rows = classic["rows"] if scale == 1 else classic["rows"][:1]
                for row in rows:
                    check_script_page(driver, classic, classic["folder"] + row["page"])
                    checked += 1
                rows = css["rows"] if scale == 1 else css["rows"][:1]
                for row in rows:
                    check_css_page(driver, css, css["folder"] + row["page"], scale)
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
