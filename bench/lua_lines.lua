-- Counts the code, comment and blank lines of Lua files as Lua 5.4's lexer reads them (the
-- lexical conventions of its manual, section 3.1), under the counter's rules: a line holding
-- only white space is blank, inside a string or comment too; a line with any token (strings
-- included) is code; a line with only comment text is a comment. As Lua's loader does, a
-- first line starting with "#" (after a byte-order mark) is skipped: it counts as a comment.
-- Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input; files that
-- do not lex (an unfinished string or long bracket) are named on standard error.
--   lua5.4 bench/lua_lines.lua < list

local SPACE = "[^ \t\r\f\v]"  -- a byte that is not the counter's white space

local function classify(text)
    local code, comment = {}, {}
    local line = 1
    local n = #text
    local i = 1

    -- Marks the lines of text[a..b] holding more than white space, from the current line on.
    local function mark(set, a, b)
        local l = line
        local from = a
        while true do
            local nl = text:find("\n", from, true)
            local last = (nl and nl <= b) and nl - 1 or b
            local t = text:find(SPACE, from)
            if t and t <= last then set[l] = true end
            if not nl or nl > b then break end
            l = l + 1
            from = nl + 1
        end
        return l
    end

    -- An opening long bracket at p ("[", any number of "=", "["): its closing bracket, or nil.
    local function longBracket(p)
        local eq = text:match("^%[(=*)%[", p)
        return eq and "]" .. eq .. "]", eq and p + #eq + 2
    end

    if text:sub(1, 3) == "\239\187\191" then i = 4 end
    if text:sub(i, i) == "#" then
        local nl = text:find("\n", i, true) or n + 1
        mark(comment, i, nl - 1)
        i = nl
    end

    while i <= n do
        local s = text:find("[%-%[\"'\n]", i)
        if not s then
            mark(code, i, n)
            break
        end
        if s > i then mark(code, i, s - 1) end
        local c = text:sub(s, s)
        if c == "\n" then
            line = line + 1
            i = s + 1
        elseif c == "-" and text:sub(s + 1, s + 1) == "-" then
            local close, from = longBracket(s + 2)
            if close then
                local e = text:find(close, from, true)
                if not e then return nil, "unfinished long comment" end
                line = mark(comment, s, e + #close - 1)
                i = e + #close
            else
                local e = (text:find("\n", s, true) or n + 1) - 1
                mark(comment, s, e)
                i = e + 1
            end
        elseif c == "[" then
            local close, from = longBracket(s)
            if close then
                local e = text:find(close, from, true)
                if not e then return nil, "unfinished long string" end
                line = mark(code, s, e + #close - 1)
                i = e + #close
            elseif text:find("^%[=", s) then
                return nil, "invalid long string delimiter"
            else
                mark(code, s, s)
                i = s + 1
            end
        elseif c == '"' or c == "'" then
            -- A short string: escapes, "\" before a line break, "\z" skipping white space.
            local j = s + 1
            while true do
                local d = text:sub(j, j)
                if d == c then break end
                if d == "" or d == "\n" or d == "\r" then return nil, "unfinished string" end
                if d == "\\" then
                    local e = text:sub(j + 1, j + 1)
                    if e == "z" then
                        j = text:find("[^ \t\n\r\f\v]", j + 2) or n + 1
                    elseif e == "\n" or e == "\r" then
                        local pair = text:sub(j + 2, j + 2)
                        j = j + 2 + ((pair == "\n" or pair == "\r") and pair ~= e and 1 or 0)
                    else
                        j = j + 2
                    end
                else
                    j = j + 1
                end
            end
            line = mark(code, s, j)
            i = j + 1
        else
            mark(code, s, s)  -- a lone "-"
            i = s + 1
        end
    end
    return code, comment
end

for path in io.lines() do
    local f = io.open(path, "rb")
    if f then
        local text = f:read("a")
        f:close()
        local code, comment = classify(text)
        if not code then
            io.stderr:write("does not lex (", comment, "): ", path, "\n")
        else
            local c, m, b = 0, 0, 0
            local number = 0
            for l in (text:sub(-1) == "\n" and text or text .. "\n"):gmatch("(.-)\n") do
                number = number + 1
                if not l:find(SPACE) then
                    b = b + 1
                elseif code[number] then
                    c = c + 1
                elseif comment[number] then
                    m = m + 1
                else
                    c = c + 1
                end
            end
            if text == "" then c, m, b = 0, 0, 0 end
            io.write(c, "\t", m, "\t", b, "\t", path, "\n")
        end
    end
end
