#!/usr/bin/env python3
"""Kills `gwtool run` with SIGKILL at random moments of a run on the simulated reader and checks
that the data file always parses and holds every record the run reported written, byte for byte:
each "record written" event names the record's offset, length and SHA-256 in the data file.

usage: scripts/measure-run-kills.py [GWTOOL] [KILLS]   (default build/gwtool, 20 kills)
"""
import hashlib, json, os, random, re, subprocess, sys, tempfile, time

GWTOOL = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/gwtool")
KILLS = int(sys.argv[2]) if len(sys.argv) > 2 else 20
SCRIPT = ('METHOD "kill"\r\nGLOBAL\r\nEND GLOBAL\r\nMETHOD\r\nOPEN "kill"\r\nLOOP DISKS #10\r\n'
          'TLBGD(20, 150, 20)\r\nIRRAD(1, 0, 20, 5)\r\nTLBGD(20, 100, 20)\r\nEND LOOP\r\n'
          'END METHOD\r\n')


def check_bytes(data, events):
    """Every record reported written is in the file as it was written."""
    for event in events:
        piece = data[event['offset']:event['offset'] + event['length']]
        if len(piece) != event['length'] or hashlib.sha256(piece).hexdigest() != event['sha256']:
            return 'FAIL: the record of step %d (disk %d) differs at offset %d' % (
                event['step'], event['disk'], event['offset'])
    return None


def written_events(path):
    events = []
    for line in open(path, 'rb'):
        try:
            event = json.loads(line)
        except ValueError:
            continue  # the line the kill cut off
        if event.get('event') == 'record written':
            events.append(event)
    return events


def check(path, events):
    written = len(events)
    data = open(path, 'rb').read() if os.path.exists(path) else b''
    problem = check_bytes(data, events)
    if problem:
        return problem
    if data and not data.endswith(b'\r\n'):
        return 'FAIL: the last line has no CR LF'
    lines = data.split(b'\r\n')[:-1]
    i, records = 0, 0
    while i < len(lines):
        if lines[i].startswith(b'ScriptFile='):
            while i < len(lines) and lines[i] != b'[NewRecord]':
                i += 1
            continue
        if lines[i] != b'[NewRecord]':
            return 'FAIL: unexpected line %r' % lines[i]
        i += 1
        keys = {}
        while i < len(lines) and b'=' in lines[i] and not lines[i].startswith(b'ScriptFile='):
            key, value = lines[i].split(b'=', 1)
            keys[key] = value
            i += 1
            if key == b'Points':
                for _ in range(int(value)):
                    if i >= len(lines) or not re.match(rb'^ *\d+; ', lines[i]):
                        return 'FAIL: points missing'
                    i += 1
                break
        if b'Stopped' not in keys:
            return 'FAIL: a record without its times'
        records += 1
    if records < written:
        return 'FAIL: %d records, %d were reported written' % (records, written)
    return 'ok: %d records, %d reported written, all byte for byte' % (records, written)


def main():
    random.seed(13)
    work = tempfile.mkdtemp(prefix='gw-kills-')
    os.chdir(work)
    os.mkdir('data')
    subprocess.run([GWTOOL, 'profile', 'new', 'p.dta', '--reader', '3500', '--data-dir',
                    work + '/data/'], check=True, capture_output=True)
    subprocess.run([GWTOOL, 'profile', 'set', 'p.dta', 'BetaDoseRate=0.1',
                    'BetaCalibDate=2026-01-01'], check=True, capture_output=True)
    open('kill.gws', 'w', newline='').write(SCRIPT)
    failures = 0
    for _ in range(KILLS):
        for name in os.listdir('data'):
            os.remove(os.path.join('data', name))
        run = subprocess.Popen([GWTOOL, 'run', 'kill.gws', '--profile', 'p.dta', '--time-scale',
                                '0.01', '--today', '2026-01-01', '--events', 'events.jsonl'],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(0.3, 8.0))
        run.kill()
        run.wait()
        result = check('data/kill.txt', written_events('events.jsonl'))
        failures += result.startswith('FAIL')
        print(result)
    print('%d of %d kills left the data file whole' % (KILLS - failures, KILLS))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
