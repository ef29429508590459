#!/usr/bin/python3
"""The rollover pages in a real browser: headless Chromium opens every page the program wrote for a
caption list of awkward names, moves the mouse over each button and away again, and checks that the
images load at the size the page states, swap to type 2 and back, that every preload was made, and
that the browser's console shows no error."""
import json
import pathlib
import subprocess
import sys
import tempfile
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.common.by import By

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def same_file(url, path):
    return urllib.parse.unquote(url) == urllib.parse.unquote(pathlib.Path(path).as_uri())


def main():
    writer = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        made = subprocess.run([writer, work], check=True, capture_output=True, text=True)
        written = json.loads(made.stdout)
        folder = written["folder"]
        rows = written["rows"]
        check(same_file(pathlib.Path(written["opened"]).as_uri(), folder + rows[0]["page"]),
              "the first page written was opened: " + written["opened"])

        options = webdriver.ChromeOptions()
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + work + "/profile", "--window-size=1600,900"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            for row in rows:
                page = folder + row["page"]
                driver.get(pathlib.Path(page).as_uri())
                images = driver.find_elements(By.CSS_SELECTOR, "img")
                check(len(images) == len(rows), page + ": one image per caption")
                for index, (image, expected) in enumerate(zip(images, rows)):
                    what = page + ": button " + expected["caption"]
                    state = driver.execute_script(
                        "var i=arguments[0]; return [i.complete, i.naturalWidth, i.naturalHeight,"
                        " i.getAttribute('width'), i.getAttribute('height'), i.alt];", image)
                    check(state[0] and state[1] > 0, what + " loads")
                    check(str(state[1]) == state[3] and str(state[2]) == state[4],
                          what + " has the size the page states: " + repr(state))
                    check(state[5] == expected["caption"], what + " has its caption as alt: " + repr(state[5]))
                    up = image.get_attribute("src")
                    check(same_file(up, folder + expected["up"]), what + " shows type 1: " + up)
                    ActionChains(driver).move_to_element(image).perform()
                    over = image.get_attribute("src")
                    check(same_file(over, folder + expected["down"]), what + " swaps to type 2: " + over)
                    ActionChains(driver).move_to_element(driver.find_element(By.TAG_NAME, "p")).perform()
                    back = image.get_attribute("src")
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
                for entry in driver.get_log("browser"):
                    if entry["level"] == "SEVERE":
                        failures.append(page + ": console: " + entry["message"])

            # A caption such as "javascript:alert(1)" names a page beside the others: clicking its
            # button opens that page and runs no script.
            for index, row in enumerate(rows):
                if ":" not in row["caption"]:
                    continue
                driver.get(pathlib.Path(folder + rows[0]["page"]).as_uri())
                driver.find_elements(By.CSS_SELECTOR, "img")[index].click()
                try:
                    text = driver.switch_to.alert.text
                    driver.switch_to.alert.dismiss()
                    failures.append(row["caption"] + ": clicking ran a script: " + text)
                except NoAlertPresentException:
                    pass
                check(same_file(driver.current_url, folder + row["page"]),
                      row["caption"] + ": clicking opens its page: " + driver.current_url)
        finally:
            driver.quit()
    pages = len(rows)
    for failure in failures:
        print("FAILED:", failure)
    print("browser pages: %d pages of %d buttons checked" % (pages, len(rows)))
    print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
