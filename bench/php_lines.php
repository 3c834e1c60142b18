<?php
// Counts the code, comment and blank lines of PHP files as PHP's own lexer reads them
// (token_get_all, Debian's php-cli), under the counter's rules: a line holding only white
// space is blank, inside a string or comment too; a line with text of any token but a
// comment is code: the tags, strings, here-documents and the output around the code (the
// text outside the tags) alike; a line with only comment text is a comment. A "#!" first
// line, which PHP's command line skips, is a comment.
// Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input.
//   php bench/php_lines.php < list

const SPACE = " \t\r\f\v"; // the counter's white space

function classify(string $text): array
{
    $code = $comment = [];
    $line = 1;
    $mark = function (array &$set, string $part) use (&$line) {
        foreach (explode("\n", $part) as $i => $piece)
            if (trim($piece, SPACE) !== '')
                $set[$line + $i] = true;
        $line += substr_count($part, "\n");
    };
    $tokens = token_get_all($text);
    foreach ($tokens as $index => $token) {
        [$id, $part] = is_array($token) ? [$token[0], $token[1]] : [null, $token];
        if ($index === 0 && $id === T_INLINE_HTML && str_starts_with($part, "#!")) {
            // The "#!" line; any output after it is the output's.
            $end = strpos($part, "\n");
            $mark($comment, $end === false ? $part : substr($part, 0, $end + 1));
            if ($end === false)
                continue;
            $part = substr($part, $end + 1);
        }
        if ($id === T_COMMENT || $id === T_DOC_COMMENT)
            $mark($comment, $part);
        else
            $mark($code, $part);
    }
    $lines = substr_count($text, "\n") + (strlen($text) > 0 && !str_ends_with($text, "\n") ? 1 : 0);
    $counts = [0, 0, 0];
    for ($n = 1; $n <= $lines; ++$n)
        ++$counts[isset($code[$n]) ? 0 : (isset($comment[$n]) ? 1 : 2)];
    return $counts;
}

while (($path = fgets(STDIN)) !== false) {
    $path = rtrim($path, "\n");
    $text = file_get_contents($path);
    if ($text === false) {
        fwrite(STDERR, "unreadable: $path\n");
        continue;
    }
    [$code, $comment, $blank] = classify($text);
    echo "$code\t$comment\t$blank\t$path\n";
}
