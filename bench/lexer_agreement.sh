#!/usr/bin/env bash
# Compares the counter's figures file by file with each language's own lexer on Debian 12's
# trees, as in the README's table: Perl with PPI, Ruby with Ripper, JavaScript with acorn,
# shell with shfmt's parser, Lua with bench/lua_lines.lua (Lua 5.4's lexical rules), PHP with
# its token_get_all, YAML with libyaml's scanner and HTML with Python's HTML parser, each
# through bench/lexer_agreement.py. Not part of CI: it installs the references and some
# packages of code with apt, unpacks others (whose services must not start) and the kernel
# sources into BENCH_DIR (default /tmp/quillmarrow-bench).
#
#   bench/lexer_agreement.sh [--all] [language ...]   (default: all eight)
#
# --all lists every differing file, not the first ten.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
all=()
if [ "${1:-}" = --all ]; then
  all=(--all)
  shift
fi
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(Perl Ruby JavaScript Shell Lua PHP YAML HTML)

. "$here/bench/kernel-tree.sh"
# The references, and packages of code that are plain libraries.
kernel_tree libppi-perl ruby node-acorn shfmt lua5.4 php-cli python3-yaml \
  eslint node-babel7 lua-penlight lua-ldoc luarocks lua-busted neovim-runtime nmap-common
bench_build scc
scc="$build/libexec/quillmarrow/scc"

# Packages of servers and tools, unpacked rather than installed.
corpora="$work/lexer-corpora"
unpacked=(perltidy libmojolicious-perl devscripts debhelper libmoose-perl
  ruby-activesupport ruby-rspec-core rake ruby-sinatra ruby-rack dracut-core
  rspamd prosody awesome knot-resolver lua-lgi lua-socket
  phpmyadmin roundcube-core php-symfony-console php-symfony-http-kernel php-symfony-dependency-injection
  php-guzzlehttp-psr7 php-twig)
mkdir -p "$corpora/debs"
for p in "${unpacked[@]}"; do
  [ -d "$corpora/$p" ] && continue
  (cd "$corpora/debs" && apt-get download -qq "$p" 2>/dev/null)
  dpkg-deb -x "$corpora/debs/${p}"_*.deb "$corpora/$p"
done
# nmap's scripts are Lua named .nse: links named .lua let the counter take them as Lua.
mkdir -p "$corpora/nse-as-lua"
for f in /usr/share/nmap/scripts/*.nse; do
  ln -sf "$f" "$corpora/nse-as-lua/$(basename "$f" .nse).lua"
done

lib=/usr/lib/x86_64-linux-gnu
c=$corpora
agree() { python3 "$here/bench/lexer_agreement.py" "$scc" "$@"; }
for language in "${languages[@]}"; do
  case $language in
  Perl)
    agree Perl /usr/share/perl/5.36 /usr/share/perl5 $lib/perl/5.36 $lib/perl-base $lib/perl5 /usr/bin \
      $c/perltidy $c/libmojolicious-perl $c/devscripts $c/debhelper $c/libmoose-perl "$tree" "${all[@]}" \
      -- perl "$here/bench/perl_lines.pl" ;;
  Ruby)
    agree Ruby /usr/lib/ruby /usr/share/rubygems-integration /usr/bin $c/ruby-activesupport $c/ruby-rspec-core \
      $c/rake $c/ruby-sinatra $c/ruby-rack "${all[@]}" -- ruby "$here/bench/ruby_lines.rb" ;;
  JavaScript)
    NODE_PATH=/usr/share/nodejs agree JavaScript /usr/share/nodejs /usr/share/javascript "${all[@]}" \
      -- node "$here/bench/js_lines.mjs" ;;
  Shell)
    agree Shell /usr/share /usr/lib /etc /usr/bin /usr/sbin /usr/libexec $c/dracut-core $c/devscripts \
      $c/debhelper $c/knot-resolver $c/prosody $c/rspamd "$tree" "${all[@]}" -- python3 "$here/bench/shell_lines.py" ;;
  Lua)
    agree Lua /usr/share/lua/5.1 /usr/share/nvim /usr/share/nmap /etc $c/rspamd $c/prosody $c/awesome \
      $c/knot-resolver $c/lua-lgi $c/lua-socket $c/nse-as-lua "${all[@]}" -- lua5.4 "$here/bench/lua_lines.lua" ;;
  PHP)
    agree PHP /usr/share /usr/lib $c/phpmyadmin $c/roundcube-core $c/php-symfony-console $c/php-symfony-http-kernel \
      $c/php-symfony-dependency-injection $c/php-guzzlehttp-psr7 $c/php-twig "${all[@]}" -- php "$here/bench/php_lines.php" ;;
  YAML)
    agree YAML /usr/share /usr/lib /etc "$tree" "${all[@]}" -- /usr/bin/python3 "$here/bench/yaml_lines.py" ;;
  HTML)
    agree HTML /usr/share/doc /usr/lib $c/phpmyadmin $c/roundcube-core "$tree" "${all[@]}" \
      -- python3 "$here/bench/html_lines.py" ;;
  *)
    echo "lexer_agreement: no reference for $language" >&2
    exit 2 ;;
  esac
done
