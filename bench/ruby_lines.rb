# Counts the code, comment and blank lines of Ruby files as Ruby's own lexer (Ripper) reads
# them, under the counter's rules: a line holding only white space is blank; a line with any
# code (strings and here-document bodies included) is code; a line with only comment text
# (=begin/=end blocks included) is a comment; the data after __END__ is code.
# Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input.
require 'ripper'

COMMENTS = %i[on_comment on_embdoc_beg on_embdoc on_embdoc_end].freeze
SPACE = %i[on_sp on_nl on_ignored_nl on_words_sep].freeze

$stdin.each_line do |path|
  path = path.chomp
  text = File.binread(path)
  lines = text.split("\n", -1)
  lines.pop if lines.last == ''
  code = {}
  comment = {}
  data_from = nil
  Ripper.lex(text.dup.force_encoding('UTF-8')).each do |(line, _column), type, token, _state|
    if type == :on___end__
      data_from = line
      next
    end
    next if SPACE.include?(type)
    target = COMMENTS.include?(type) ? comment : code
    token.split("\n", -1).each_with_index do |part, i|
      target[line - 1 + i] = true if part =~ /\S/
    end
  end
  c = m = b = 0
  lines.each_with_index do |l, i|
    if l.b !~ /\S/n then b += 1
    elsif code[i] || (data_from && i >= data_from) then c += 1
    elsif comment[i] then m += 1
    else c += 1
    end
  end
  puts "#{c}\t#{m}\t#{b}\t#{path}"
rescue StandardError => e
  warn "#{path}: #{e.message}"
end
