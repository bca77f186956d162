#!/ usr / bin / env python3
"""Lists C++ source files longer than 800 lines and functions longer than 80.

    CheckSizes.py FOLDER...

A function is counted from the line of its opening brace to the line of its
closing one. The scan is lexical (comments and literals blanked, braces
matched), which is enough for code formatted as this project's is.
"""
import os
import re
import sys

FILE_LIMIT = 800
FUNCTION_LIMIT = 80


def blank_comments_and_literals(source):
    out = []
    i, n = 0, len(source)
    while i < n:
        if source.startswith('//', i):
            j = source.find('\n', i)
            j = n if j < 0 else j
        elif source.startswith('/*', i):
            j = source.find('*/', i + 2)
            j = n if j < 0 else j + 2
        elif source.startswith('R"', i) and re.match(r'R"([^(\s]*)\(', source[i:]):
            delimiter = ')' + re.match(r'R"([^(\s]*)\(', source[i:]).group(1) + '"'
            j = source.find(delimiter, i)
            j = n if j < 0 else j + len(delimiter)
        elif source[i] in '"\'' and not (source[i] == "'" and i > 0 and source[i - 1].isalnum()):
            j = i + 1
            while j < n and source[j] != source[i] and source[j] != '\n':
                j += 2 if source[j] == '\\' else 1
            j = min(j + 1, n)
        else:
            out.append(source[i])
            i += 1
            continue
        out.append(re.sub(r'[^\n]', ' ', source[i:j]))
        i = j
    return ''.join(out)


def long_functions(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        source = blank_comments_and_literals(f.read())
    stack, found, start = [], [], 0
    for i, c in enumerate(source):
        if c == '{':
            head = source[start:i].strip()
            if re.search(r'\bnamespace\b', head) or head.startswith('extern "'):
                kind = 'scope'
            elif re.search(r'\b(class|struct|union|enum)\b[^()]*$', head):
                kind = 'scope'
            elif all(k == 'scope' for k, _, _ in stack) and re.search(r'\)[^;{}()]*$', head) \
                    and not head.endswith('='):
                kind = 'function'
            else:
                kind = 'block'
            stack.append((kind, source.count('\n', 0, i) + 1, re.sub(r'\s+', ' ', head)[-80:]))
            start = i + 1
        elif c == '}':
            if stack:
                kind, line, name = stack.pop()
                length = source.count('\n', 0, i) + 2 - line
                if kind == 'function' and length > FUNCTION_LIMIT:
                    found.append((line, length, name))
            start = i + 1
        elif c == ';':
            start = i + 1
    return found


def main(folders):
    problems = []
    for top in folders:
        for folder, _, files in os.walk(top):
            for name in sorted(files):
                if not name.endswith(('.cpp', '.h')):
                    continue
                path = os.path.join(folder, name)
                with open(path, encoding='utf-8', errors='replace') as f:
                    lines = sum(1 for _ in f)
                if lines > FILE_LIMIT:
                    problems.append(f'{path}: {lines} lines (at most {FILE_LIMIT})')
                for line, length, head in long_functions(path):
                    problems.append(f'{path}:{line}: a function of {length} lines (at most {FUNCTION_LIMIT}): {head}')
    for problem in problems:
        print(problem)
    print(f'{len(problems)} files or functions too long')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
