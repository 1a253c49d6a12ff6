# Makes the manual's page from the README converted to HTML: a whole document
# with a title, its text in UTF-8 and a narrow column that reads well.
#   cmake -DBODY=body.html -DPAGE=index.html -P manual_page.cmake
file(READ "${BODY}" body)
file(WRITE "${PAGE}" "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Dioramix manual</title>
<style>
body { max-width: 50em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
img { max-width: 100%; height: auto; }
pre, code { background: #f4f4f4; }
pre { padding: 0.5em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.5em; vertical-align: top; }
</style>
</head>
<body>
${body}</body>
</html>
")
