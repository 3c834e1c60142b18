#!/usr/bin/perl
# Counts the code, comment and blank lines of Perl files as Perl's own tokenizer PPI reads
# them, under the counter's rules: a line holding only white space is blank; a line with any
# code (strings, here-document bodies, the data after __END__ and __DATA__ included) is
# code; a line with only comment or POD text is a comment. As the counter's rules say, POD
# after __DATA__ and a here-document closed by a POD command ("<<'=cut'") are documentation.
# Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input.
use strict;
use warnings;
use PPI;

while (my $path = <STDIN>) {
    chomp $path;
    open(my $in, '<:raw', $path) or next;
    my $text = do { local $/; <$in> };
    close $in;
    my $document = PPI::Document->new(\$text) or do { print STDERR "PPI failed: $path\n"; next };
    my @lines = split /\n/, $text, -1;
    pop @lines if @lines && $lines[-1] eq '';
    my (@code, @comment);
    my $line = 0;      # 0-based line of the current token's start
    my @pending;       # here-document body lines, placed after the line that opens them
    for my $token ($document->tokens) {
        my $content = $token->content;
        my $kind = $token->isa('PPI::Token::Comment') || $token->isa('PPI::Token::Pod') ? 'comment'
                 : $token->isa('PPI::Token::Whitespace') ? 'space' : 'code';
        if ($token->isa('PPI::Token::HereDoc')) {
            my @body = $token->heredoc;
            my $end = $token->{_terminator_line};
            push @pending, [scalar(@body) + (defined $end ? 1 : 0), defined $end && $end =~ /^=\w/ ? 'comment' : 'code'];
        }
        my $pod = 0;  # in POD inside the data after __DATA__
        my @parts = split /\n/, $content, -1;
        for my $i (0 .. $#parts) {
            if ($i > 0) {
                # A line end: the bodies of here-documents opened on this line follow it.
                $line++;
                for my $doc (@pending) {
                    for (1 .. $doc->[0]) { ($doc->[1] eq 'code' ? \@code : \@comment)->[$line++] = 1 }
                }
                @pending = ();
            }
            if ($token->isa('PPI::Token::Data')) {
                $pod = 1 if $parts[$i] =~ /^=[a-zA-Z]/;
                my $was = $pod;
                $pod = 0 if $parts[$i] =~ /^=cut\b/;
                $kind = $was ? 'comment' : 'code';
            }
            next unless $parts[$i] =~ /\S/;
            if ($kind eq 'code') { $code[$line] = 1 } elsif ($kind eq 'comment') { $comment[$line] = 1 }
        }
    }
    my ($c, $m, $b) = (0, 0, 0);
    for my $i (0 .. $#lines) {
        if ($lines[$i] !~ /\S/) { $b++ } elsif ($code[$i]) { $c++ } elsif ($comment[$i]) { $m++ } else { $c++ }
    }
    print "$c\t$m\t$b\t$path\n";
}
